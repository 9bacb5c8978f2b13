// The motif pictures that the build packs into the program: each unpacks to
// exactly what drawing it now gives, the icon offers every size, the splash
// picture shows the motif in its place, and unpacking never writes outside
// the picture whatever the runs say.
#include "artwork.h"
#include "packed_artwork.h"

#include <QTest>

#include <vector>

using namespace tessera;

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    void packedPicturesAreExactlyTheDrawnOnes() {
        const auto icons = packedProgramIcons();
        QCOMPARE(icons.size(), kProgramIconSizes.size());
        for (std::size_t k = 0; k < icons.size(); ++k)
            QCOMPARE(unpackImage(icons[k]), renderProgramIcon(kProgramIconSizes[k]));
        QCOMPARE(unpackImage(packedSplashMotif()), renderSplashMotif());
    }

    void iconOffersEverySizeWithItsPixels() {
        const QIcon icon = programIcon();
        QCOMPARE(icon.availableSizes().size(), qsizetype(kProgramIconSizes.size()));
        for (int size : kProgramIconSizes) {
            const QImage shown = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(shown, renderProgramIcon(size));
        }
    }

    void splashShowsTheMotifInItsPlace() {
        const QImage splash = splashPicture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRect inner(QPoint(kSplashMotifMargin, kSplashMotifMargin), kSplashMotifArea.size());
        // The panel is opaque, so laying it over the ground changes none of its pixels.
        QCOMPARE(splash.copy(kSplashMotifArea), renderSplashMotif().copy(inner));
    }

    void runsThatDoNotFitStayInsideThePicture() {
        const std::vector<std::uint32_t> tooMany = {3, 0xff0000ffu, 100, 0xffff0000u, 7};
        const QImage full = unpackImage({2, 2, tooMany});
        QCOMPARE(full.pixel(0, 0), 0xff0000ffu);
        QCOMPARE(full.pixel(0, 1), 0xff0000ffu);
        QCOMPARE(full.pixel(1, 1), 0xffff0000u);

        const std::vector<std::uint32_t> tooFew = {1, 0xff00ff00u};
        const QImage partial = unpackImage({2, 2, tooFew});
        QCOMPARE(partial.pixel(0, 0), 0xff00ff00u);
        QCOMPARE(partial.pixel(1, 1), 0u);

        QVERIFY(unpackImage({0, 0, tooMany}).isNull());
    }
};

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"
