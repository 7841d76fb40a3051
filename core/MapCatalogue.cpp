// The map scan, the info files and the preview pictures: LoadMap and the map list.
#include "MapCatalogue.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <system_error>
#include <unordered_set>
#include <utility>

#include "BmpDecoder.h"
#include "Engines.h"
#include "FileSystem.h"
#include "LineReader.h"

namespace kovar {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The installed info files less those the player's own replace, then the player's own.
void AddOwnMaps(std::vector<std::string>& names, std::vector<std::string> own) {
  if (own.empty()) return;
  std::unordered_set<std::string> replaced;
  replaced.reserve(own.size());
  for (const std::string& name : own) replaced.insert(FileNameKey(name));
  std::erase_if(
      names, [&replaced](const std::string& name) { return replaced.contains(FileNameKey(name)); });
  names.insert(names.end(), std::make_move_iterator(own.begin()),
               std::make_move_iterator(own.end()));
}

// What showing the picture `preview` would refuse, told from its size and headers alone.
Result CheckPreview(const FileLocations& files, const LocatedFile& preview) {
  InputFile file;
  if (Result opened = files.Open(preview, file); opened.failed()) return opened;
  std::FILE* stream = file.Get();
  const auto readFailed = [] { return SystemFailure(errno != 0 ? errno : EIO); };
  errno = 0;
  // A byte past the limit tells a file too large; below it the size fits what ftell returns.
  if (std::fseek(stream, static_cast<long>(kMaxPreviewBytes), SEEK_SET) != 0) return readFailed();
  if (std::fgetc(stream) != EOF) {
    return Failure("the file is larger than " + std::to_string(kMaxPreviewBytes / (1024 * 1024)) +
                   " MiB");
  }
  const long size = std::fseek(stream, 0, SEEK_END) == 0 ? std::ftell(stream) : -1;
  if (std::ferror(stream) || size < 0 || std::fseek(stream, 0, SEEK_SET) != 0) return readFailed();
  std::string head(kBmpHeaderBytes, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), stream));
  if (std::ferror(stream)) return readFailed();
  return CheckBmpHeader(head, static_cast<std::uint64_t>(size));
}

}  // namespace

MapCatalogue::MapCatalogue(const FileLocations& files, LauncherState& state, ActionReport& report)
    : files_(files), state_(state), report_(report) {}

Result MapCatalogue::LoadMap() {
  ActionReport::Action action(report_);
  // The picture is decoded at once, which checks it: no need to look at its headers first.
  LoadInfo();
  ShowSelectedPreview();
  return action.End();
}

void MapCatalogue::LoadSelectedMap() {
  LoadInfo();
  if (!previewToShow_ || previewToShow_->path.empty()) return;
  if (Result checked = CheckPreview(files_, *previewToShow_); checked.failed()) {
    FailPreview(checked.reason());
    previewToShow_ = LocatedFile();
  }
}

LoadedMap MapCatalogue::ReadMap(const LocatedFile& folder, const std::string& name) const {
  LoadedMap map;
  map.name = name;
  map.folder = folder.path;
  Expected<MapInfo> read = ReadInfo(In(folder, name + ".kvx"));
  if (read.failed()) {
    map.failure = read.failure();
    return map;
  }
  map.level = std::move(read.value().level);
  map.description = std::move(read.value().description);
  map.preview = In(folder, name + ".bmp").path;
  return map;
}

void MapCatalogue::LoadInfo() {
  const std::string name = state_.Text(TextField::MapSelection);
  const LocatedFile folder = FolderOf(name);
  state_.SetMap(ReadMap(folder, name));
  const LoadedMap& map = state_.Map();
  previewToShow_ = map.preview.empty() ? LocatedFile() : In(folder, name + ".bmp");
  if (map.failure) {
    report_.Fail("Could not load the map " + Quoted(map.name) + " from its info file " +
                 Quoted(JoinPath(map.folder, map.name + ".kvx")) + ": " + map.failure->reason() +
                 ".");
  }
}

void MapCatalogue::ShowSelectedPreview() {
  if (!previewToShow_) return;
  const LocatedFile preview = *std::exchange(previewToShow_, std::nullopt);
  if (preview.path.empty()) {
    (void)state_.SetPreview({});
  } else if (Result shown = ShowPreview(preview); shown.failed()) {
    FailPreview(shown.reason());
  }
}

void MapCatalogue::FailPreview(const std::string& reason) {
  report_.Fail("Could not show the preview of the map " + Quoted(state_.Map().name) + " from " +
               Quoted(state_.Map().preview) + ": " + reason + ".");
}

LocatedFile MapCatalogue::FolderOf(const std::string& name) const {
  const std::optional<LocatedFile> own = files_.OwnMapFolder();
  if (own && files_.HasEntry(In(*own, name + ".kvx"))) return *own;
  return files_.InstalledMapFolder();
}

Expected<MapCatalogue::MapInfo> MapCatalogue::ReadInfo(const LocatedFile& infoFile) const {
  InputFile file;
  if (Result opened = files_.Open(infoFile, file); opened.failed()) return opened.failure();
  MapInfo info;
  // Two lines, each at most the longest kept and its CR LF: nothing further is ever read. A line
  // that runs past that is longer than the limit, wherever the reading stopped.
  LineReader reader(file.Get(), kMaxLineBytes, 2 * (kMaxLineBytes + 2));
  const std::string tooLong = " is longer than " + std::to_string(kMaxLineBytes / 1024) + " KiB";
  if (!reader.Next(info.level) && !reader.Cut()) {
    return reader.Status().failed() ? reader.Status().failure() : Failure("the file is empty");
  }
  if (reader.TooLong() || reader.Cut()) {
    return Failure("its first line, the level name," + tooLong);
  }
  if (!reader.Next(info.description) && !reader.Cut()) {
    if (reader.Status().failed()) return reader.Status().failure();
    return Failure("it has only one line, but needs the level name and a description");
  }
  if (reader.TooLong() || reader.Cut()) {
    return Failure("its second line, the description," + tooLong);
  }
  return info;
}

Result MapCatalogue::ShowPreview(const LocatedFile& preview) {
  // No caching: every command reads the picture again, as the map pack may have changed it.
  const Expected<std::string> bytes = files_.Read(preview, kMaxPreviewBytes);
  Expected<Bitmap> decoded = bytes.ok()
                                 ? DecodeBmp(bytes.value(), kPreviewShownWidth, kPreviewShownHeight)
                                 : bytes.failure();
  if (decoded.failed()) {
    (void)state_.SetPreview({});
    return decoded.failure();
  }
  // A window that cannot show a decoded picture says why; the picture is then removed.
  return state_.SetPreview(std::move(decoded).value());
}

void MapCatalogue::StartListing() {
  if (listsFilled_ || listing_.valid()) return;
  try {
    listing_ = std::async(std::launch::async, [this] { return ListMaps(); });
  } catch (const std::system_error&) {
    // No thread to spare: FillLists lists the folders itself.
  }
}

MapCatalogue::Listing MapCatalogue::ListMaps() const {
  Listing listing;
  std::vector<std::string>& names = listing.names;
  // A folder that cannot be listed is reported; the other one's maps are still offered.
  const auto list = [this, &listing](const LocatedFile& folder) {
    Expected<std::vector<std::string>> listed = files_.ListMapInfoFiles(folder);
    if (listed.ok()) return std::move(listed).value();
    listing.failures.push_back("The map folder " + Quoted(folder.path) + " cannot be listed: " +
                               listed.reason() + ". Its maps are not in the map list.");
    return std::vector<std::string>();
  };
  names = list(files_.InstalledMapFolder());
  if (const std::optional<LocatedFile> own = files_.OwnMapFolder()) AddOwnMaps(names, list(*own));
  // A settings line ends at a CR or an LF, so a name holding one could not be saved; any other
  // byte, a tab included, is saved and read back as it is.
  std::erase_if(names, [](const std::string& name) {
    return name.find_first_of("\r\n") != std::string::npos;
  });
  for (std::string& name : names) name.resize(name.size() - 4);
  return listing;
}

void MapCatalogue::FillLists() {
  if (listsFilled_) return;
  listsFilled_ = true;
  state_.SetList(ListField::EngineList, EngineNames());
  Listing listing = listing_.valid() ? listing_.get() : ListMaps();
  // Shown with the failures of the action in progress, or of the next one (start-up's).
  for (std::string& failure : listing.failures) report_.Fail(std::move(failure));
  state_.SetList(ListField::MapList, std::move(listing.names));
}

}  // namespace kovar
