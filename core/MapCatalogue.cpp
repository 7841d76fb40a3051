// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
    return Failure(
        FailureKind::TooLarge,
        "the file is larger than " + std::to_string(kMaxPreviewBytes / (1024 * 1024)) + " MiB");
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
  state_.SetMap(ReadMap(state_.Text(TextField::MapSelection)));
  ShowSelectedPreview();
  return action.End();
}

void MapCatalogue::LoadSelectedMap() {
  LoadedMap map = ReadMap(state_.Text(TextField::MapSelection));
  if (!map.preview.path.empty()) {
    if (Result checked = CheckPreview(files_, map.preview); checked.failed()) {
      FailPreview(map, checked.failure());
      // Reported already: the map shows no picture once the command ends.
      map.preview = LocatedFile();
    }
  }
  state_.SetMap(std::move(map));
}

LoadedMap MapCatalogue::ReadMap(const std::string& name) {
  LoadedMap map;
  map.name = name;
  const LocatedFile folder = FolderOf(name);
  map.folder = folder.path;
  // A map that does not load shows no picture either.
  map.picturePending = true;
  const LocatedFile info = In(folder, name + ".kvx");
  Expected<MapInfo> read = ReadInfo(info);
  if (read.failed()) {
    report_.Fail(read.failure().Reworded("Could not load the map " + Quoted(name) +
                                         " from its info file " + Quoted(info.path) + ": " +
                                         read.reason() + "."));
    map.failure = read.failure();
    return map;
  }
  map.level = std::move(read.value().level);
  map.description = std::move(read.value().description);
  map.preview = In(folder, name + ".bmp");
  return map;
}

void MapCatalogue::ShowSelectedPreview() {
  const LoadedMap& map = state_.Map();
  if (!map.picturePending) return;
  if (map.preview.path.empty()) {
    (void)state_.SetPreview({});
  } else if (Result shown = ShowPreview(map.preview); shown.failed()) {
    FailPreview(map, shown.failure());
  }
}

void MapCatalogue::FailPreview(const LoadedMap& map, const Failure& failure) {
  report_.Fail(failure.Reworded("Could not show the preview of the map " + Quoted(map.name) +
                                " from " + Quoted(map.preview.path) + ": " + failure.reason() +
                                "."));
}

LocatedFile MapCatalogue::FolderOf(const std::string& name) const {
  const std::optional<LocatedFile> own = files_.OwnMapFolder();
  if (own && files_.HasEntry(In(*own, name + ".kvx"))) return *own;
  return files_.InstalledMapFolder();
}

Expected<MapCatalogue::MapInfo> MapCatalogue::ReadInfo(const LocatedFile& infoFile) const {
  InputFile file;
  if (Result opened = files_.Open(infoFile, file); opened.failed()) return opened.failure();
  // Two lines, each at most the longest kept and its CR LF: nothing further is ever read. A line
  // that runs past that is longer than the limit, wherever the reading stopped.
  LineReader reader(file.Get(), kMaxLineBytes, 2 * (kMaxLineBytes + 2));
  const struct {
    const char* name;
    const char* missing;
  } lines[] = {{"its first line, the level name,", "the file is empty"},
               {"its second line, the description,",
                "it has only one line, but needs the level name and a description"}};
  std::string read[2];
  for (std::size_t i = 0; i < 2; ++i) {
    Expected<std::optional<std::string>> line = reader.Next();
    if (line.failed() && line.failure().kind() == FailureKind::System) return line.failure();
    if (line.failed()) {
      return Failure(FailureKind::TooLarge, std::string(lines[i].name) + " is longer than " +
                                                std::to_string(kMaxLineBytes / 1024) + " KiB");
    }
    if (!line.value()) return Failure(FailureKind::Malformed, lines[i].missing);
    read[i] = std::move(*line.value());
  }
  return MapInfo{std::move(read[0]), std::move(read[1])};
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
    listing.failures.push_back(listed.failure().Reworded("The map folder " + Quoted(folder.path) +
                                                         " cannot be listed: " + listed.reason() +
                                                         ". Its maps are not in the map list."));
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
  for (Failure& failure : listing.failures) report_.Fail(std::move(failure));
  state_.SetList(ListField::MapList, std::move(listing.names));
}

}  // namespace kovar
