// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded pictures and icon have exactly the sizes and colour depths the window is laid out
// for; a regenerated picture of another size would shift the layout or be cut off.
#include <cstdint>

#include <QFile>
#include <QSet>
#include <QImage>
#include <QTest>

namespace kovar::test {
namespace {

struct BmpHeader {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int paletteSize = 0;
};

std::uint32_t Le(const QByteArray& bytes, int at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

// The header of a BMP's info block that starts at `at` (a file's, or an icon image's).
BmpHeader Info(const QByteArray& bytes, int at) {
  BmpHeader header;
  header.width = static_cast<int>(Le(bytes, at + 4, 4));
  header.height = static_cast<int>(Le(bytes, at + 8, 4));
  header.bitsPerPixel = static_cast<int>(Le(bytes, at + 14, 2));
  header.paletteSize = static_cast<int>(Le(bytes, at + 32, 4));
  return header;
}

QByteArray Resource(const QString& name) {
  QFile file(QStringLiteral(":/assets/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

class AssetsTest : public QObject {
  Q_OBJECT

 private slots:
  void TheBitmapsHaveTheirSizesAndDepths_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("paletteSize");
    for (const char* name : {"imgMain", "imgSP", "imgMP", "imgJoin", "imgStartSP"}) {
      QTest::newRow(name) << QString::fromLatin1(name) + ".bmp" << 120 << 32 << 256;
    }
    QTest::newRow("imgTile") << "imgTile.bmp" << 16 << 64 << 4;
    QTest::newRow("imgLogo1") << "imgLogo1.bmp" << 312 << 64 << 256;
  }

  void TheBitmapsHaveTheirSizesAndDepths() {
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, paletteSize);
    const QByteArray bytes = Resource(name);
    QVERIFY2(bytes.startsWith("BM"), qPrintable(name));
    const BmpHeader header = Info(bytes, 14);
    QCOMPARE(header.width, width);
    QCOMPARE(header.height, height);
    QCOMPARE(header.bitsPerPixel, 8);
    QCOMPARE(header.paletteSize, paletteSize);
    const QImage image = QImage::fromData(bytes, "BMP");
    QCOMPARE(image.size(), QSize(width, height));
    if (name.startsWith(QStringLiteral("imgTile"))) {
      QSet<QRgb> used;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) used.insert(image.pixel(x, y));
      QCOMPARE(used, QSet<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    }
    if (paletteSize == 256 && !name.startsWith(QStringLiteral("imgLogo"))) {
      for (int i = 0; i < 256; ++i) QCOMPARE(image.color(i), qRgb(i, i, i));
    }
  }

  void TheIconHoldsTwoSixteenColourImages() {
    const QByteArray bytes = Resource(QStringLiteral("kovar-launcher.ico"));
    QCOMPARE(static_cast<int>(Le(bytes, 2, 2)), 1);
    QCOMPARE(static_cast<int>(Le(bytes, 4, 2)), 2);
    QList<int> sizes;
    for (int entry = 0; entry < 2; ++entry) {
      const int at = 6 + 16 * entry;
      const int size = static_cast<std::uint8_t>(bytes[at]);
      QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(bytes[at + 2])), 16);
      const BmpHeader header = Info(bytes, static_cast<int>(Le(bytes, at + 12, 4)));
      QCOMPARE(header.width, size);
      QCOMPARE(header.height, 2 * size);
      QCOMPARE(header.bitsPerPixel, 4);
      sizes.append(size);
    }
    QCOMPARE(sizes, QList<int>({32, 16}));
    QCOMPARE(QImage(QStringLiteral(":/assets/kovar-launcher-32.png")).size(), QSize(32, 32));
    QCOMPARE(QImage(QStringLiteral(":/assets/kovar-launcher-16.png")).size(), QSize(16, 16));
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::AssetsTest)
#include "AssetsTest.moc"
