// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's BMP decoder against Qt's own reader, over the saved picture corpus and the
// window's artwork: wherever both accept a file, they see the same size and the same colours.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <QImage>
#include <QTest>

#include "BmpDecoder.h"

namespace kovar::test {

class BmpAgreementTest : public QObject {
  Q_OBJECT

 private slots:
  void BothDecodersSeeTheSameColours_data() {
    QTest::addColumn<QString>("path");
    for (const char* folder : {KOVAR_PICTURE_CORPUS, KOVAR_ASSETS}) {
      const bool artwork = std::string_view(folder) == KOVAR_ASSETS;
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || (artwork && entry.path().extension() != ".bmp")) continue;
        const std::string path = entry.path().string();
        QTest::newRow(path.c_str()) << QString::fromStdString(path);
      }
    }
  }

  void BothDecodersSeeTheSameColours() {
    QFETCH(QString, path);
    std::ifstream file(path.toStdString(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const Expected<Bitmap> decoded = DecodeBmp(bytes);
    const bool oursAccepted = decoded.ok();
    const QImage read(path, "BMP");
    const QImage theirs = read.convertToFormat(QImage::Format_RGB32);
    if (path.endsWith(QStringLiteral(".bmp"))) QVERIFY2(oursAccepted, "the window's own artwork");
    if (!oursAccepted || theirs.isNull()) return;
    const Bitmap& ours = decoded.value();
    QCOMPARE(QSize(ours.width, ours.height), theirs.size());
    // Where the two differ, and why:
    // - Masks that lie where the pixels start: Qt reads the pixels after the masks, past the end
    //   of this file, and shows whatever its memory held.
    if (path.endsWith(QStringLiteral("masks-as-pixels"))) return;
    // - Pixels a run-length stream never reaches: the launcher leaves them black, as the Windows
    //   window drew them into its black bitmap; Qt leaves its image's memory as it found it there
    //   (valgrind: uninitialised values), so what it shows differs from run to run. The launcher's
    //   black pixels of such a picture are not compared.
    const bool runLength = bytes.size() > 30 && (bytes[30] == 1 || bytes[30] == 2);
    // - A 16-bit pixel's channel: Qt widens it by a shift (31 becomes 248), the launcher scales it
    //   so that a full channel is 255. Only the top 5 bits are compared there.
    const QRgb compared = bytes.size() > 28 && bytes[28] == 16 ? 0xF8F8F8 : 0xFFFFFF;
    for (int y = 0; y < theirs.height(); ++y) {
      for (int x = 0; x < theirs.width(); ++x) {
        const QRgb pixel = ours.pixels[static_cast<std::size_t>(y * ours.width + x)];
        if (runLength && pixel == 0xFF000000u) continue;
        QCOMPARE(pixel & compared, theirs.pixel(x, y) & compared);
      }
    }
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::BmpAgreementTest)
#include "BmpAgreementTest.moc"
