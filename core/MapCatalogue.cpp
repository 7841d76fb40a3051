// The map scan, the info files and the preview pictures: LoadMap and the map list.
#include "MapCatalogue.h"

#include <utility>

#include "BmpDecoder.h"
#include "FileSystem.h"
#include "LineReader.h"
#include "Paths.h"

namespace kovar {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

MapCatalogue::MapCatalogue(const std::string& appDir, LauncherState& state, ActionReport& report)
    : appDir_(appDir), state_(state), report_(report) {}

const std::vector<std::string>& MapCatalogue::EngineNames() {
  static const std::vector<std::string> names = {"LucidGL.exe", "GLQuake.exe", "Quake.exe",
                                                 "WinQuake.exe", "VQuake.exe"};
  return names;
}

Result MapCatalogue::LoadMap() {
  ActionReport::Action action(report_);
  LoadSelectedMap();
  return action.End();
}

void MapCatalogue::LoadSelectedMap() {
  const std::string name = state_.Text(TextField::MapSelection);
  state_.SetText(TextField::MapTitle, name);

  const std::string infoPath = MapFilePath(appDir_, name, ".kvx");
  std::string level;
  std::string description;
  if (Result read = ReadInfo(infoPath, level, description); read.failed()) {
    // A map that did not load must not be launched with the level of the one before it.
    state_.SetText(TextField::MapLevel, {});
    state_.SetText(TextField::MapDescription, {});
    (void)state_.SetPreview({});
    state_.SetSelectedMapFailed(true);
    report_.Fail("Could not load the map " + Quoted(name) + " from its info file " +
                 Quoted(infoPath) + ": " + read.reason() + ".");
    return;
  }
  state_.SetText(TextField::MapLevel, std::move(level));
  state_.SetText(TextField::MapDescription, std::move(description));
  state_.SetSelectedMapFailed(false);

  const std::string picturePath = MapFilePath(appDir_, name, ".bmp");
  if (Result shown = ShowPreview(picturePath); shown.failed()) {
    report_.Fail("Could not show the preview of the map " + Quoted(name) + " from " +
                 Quoted(picturePath) + ": " + shown.reason() + ".");
  }
}

Result MapCatalogue::ReadInfo(const std::string& path, std::string& level,
                              std::string& description) const {
  InputFile file;
  if (Result opened = file.Open(path); opened.failed()) return opened;
  LineReader reader(file.Get());
  const std::string tooLong = " is longer than " + std::to_string(kMaxLineBytes / 1024) + " KiB";
  if (!reader.Next(level)) {
    return Result::Failure(reader.Error() ? SystemError(reader.Error()) : "the file is empty");
  }
  if (reader.TooLong()) return Result::Failure("its first line, the level name," + tooLong);
  if (!reader.Next(description)) {
    return Result::Failure(
        reader.Error() ? SystemError(reader.Error())
                       : "it has only one line, but needs the level name and a description");
  }
  if (reader.TooLong()) return Result::Failure("its second line, the description," + tooLong);
  return Result::Ok();
}

Result MapCatalogue::ShowPreview(const std::string& path) {
  // No caching: every load reads the picture again, as the map pack may have changed it.
  std::string bytes;
  Bitmap picture;
  Result decoded = ReadFile(path, kMaxPreviewBytes, bytes);
  if (decoded.ok()) decoded = DecodeBmp(bytes, picture);
  if (decoded.failed()) {
    (void)state_.SetPreview({});
    return decoded;
  }
  // A window that cannot show a decoded picture says why; the picture is then removed.
  return state_.SetPreview(std::move(picture));
}

void MapCatalogue::FillLists() {
  if (listsFilled_) return;
  listsFilled_ = true;
  state_.SetList(ListField::EngineList, EngineNames());
  std::vector<std::string> names = ListMapInfoFiles(AppPath(appDir_, "data"));
  for (std::string& name : names) name.resize(name.size() - 4);
  state_.SetList(ListField::MapList, std::move(names));
}

}  // namespace kovar
