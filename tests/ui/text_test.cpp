// The scene's text drawn from the glyph atlas, against the font library.
#include <QFile>
#include <QTest>
#include <functional>

#include "scene/layout.h"
#include "scene/scene.h"
#include "scene_text.h"

using namespace quondra;
using namespace quondra::qt;

namespace {

const QColor kSky(128, 255, 255);

QImage Render(double ratio, const QSizeF& size, const QColor& back, const std::function<void(QPainter&)>& draw) {
    QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(back);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return image;
}

// Where a picture differs from its background, and by how much in all.
struct Ink {
    QRect box;
    double amount = 0;
};

Ink InkOf(const QImage& image, const QColor& back) {
    // Faint antialiasing at the rim is where two rasterisers may disagree.
    constexpr int kVisible = 48;
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int d = std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
                          std::abs(c.blue() - back.blue());
            ink.amount += d;
            if (d > kVisible) ink.box |= QRect(x, y, 1, 1);
        }
    return ink;
}

struct Sample {
    QString what;
    QSizeF box;
    Font font;
    QColor fore, back;
    Qt::Alignment align;
    QString text;
};

// Every caption of the layout, in its own box, font and colours.
std::vector<Sample> LayoutTexts() {
    Scene scene;
    BuildLayout(scene);
    constexpr double kPx = 1.0 / kUnitsPerPixel;
    auto colour = [](const Color& c) { return QColor(c.Red, c.Green, c.Blue); };
    std::vector<Sample> samples;
    for (const ObjectRef& object : scene.Objects()) {
        if (auto* const* l = std::get_if<Label*>(&object)) {
            const Qt::Alignment h = (*l)->Align == Alignment::Center ? Qt::AlignHCenter
                                    : (*l)->Align == Alignment::Right ? Qt::AlignRight
                                                                      : Qt::AlignLeft;
            samples.push_back({QString::fromUtf8((*l)->Name.data(), static_cast<qsizetype>((*l)->Name.size())),
                               QSizeF((*l)->Width * kPx, (*l)->Height * kPx), (*l)->Font, colour((*l)->ForeColor),
                               (*l)->BackColor ? colour(*(*l)->BackColor) : kSky, h | Qt::AlignTop,
                               QString::fromStdString((*l)->Caption)});
        } else if (auto* const* b = std::get_if<Button*>(&object)) {
            samples.push_back({QStringLiteral("cmdPlay"), QSizeF((*b)->Width * kPx, (*b)->Height * kPx), (*b)->Font,
                               Qt::black, colour((*b)->BackColor), Qt::AlignCenter,
                               QString::fromStdString((*b)->Caption)});
        }
    }
    // The scores run up to two digits.
    samples.push_back({QStringLiteral("a score of 10"), QSizeF(scene.lblRed.Width * kPx, scene.lblRed.Height * kPx),
                       scene.lblRed.Font, Qt::black, kSky, Qt::AlignRight | Qt::AlignTop, QStringLiteral("10")});
    return samples;
}

}  // namespace

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void AtlasTextLooksLikeTheFontLibrarysAtEachRatio() {
        const SceneText text;
        QVERIFY(text.HasAtlas());
        for (double ratio : {1.0, 2.0, 3.0}) {
            for (const Sample& s : LayoutTexts()) {
                const QString where = QStringLiteral("%1 at %2").arg(s.what).arg(ratio);
                bool drawn = false;
                const QImage atlas = Render(ratio, s.box, s.back, [&](QPainter& p) {
                    drawn = text.DrawFromAtlas(p, QRectF(QPointF(), s.box), s.font, s.fore, s.align, s.text);
                });
                QVERIFY2(drawn, qPrintable(where + QStringLiteral(": not drawn from the atlas")));
                const QImage font = Render(ratio, s.box, s.back, [&](QPainter& p) {
                    SceneText::DrawWithFont(p, QRectF(QPointF(), s.box), s.font, s.fore, s.align, s.text);
                });
                const Ink a = InkOf(atlas, s.back), f = InkOf(font, s.back);
                // The pen lands on whole device pixels rather than fractions of them.
                const int slack = static_cast<int>(ratio) + 1;
                const QString boxes = QStringLiteral(": atlas ink %1,%2 %3x%4, font ink %5,%6 %7x%8")
                                          .arg(a.box.x()).arg(a.box.y()).arg(a.box.width()).arg(a.box.height())
                                          .arg(f.box.x()).arg(f.box.y()).arg(f.box.width()).arg(f.box.height());
                QVERIFY2(!f.box.isEmpty(), qPrintable(where));
                QVERIFY2(std::abs(a.box.left() - f.box.left()) <= slack && std::abs(a.box.right() - f.box.right()) <= slack &&
                             std::abs(a.box.top() - f.box.top()) <= slack &&
                             std::abs(a.box.bottom() - f.box.bottom()) <= slack,
                         qPrintable(where + boxes));
                // Within a percent for every caption but Play at ratio 1, whose
                // rounded face comes out some 8 % heavier glyph by glyph than in
                // a run; a wrong size, glyph or colour is far beyond this.
                QVERIFY2(std::abs(a.amount - f.amount) <= 0.10 * f.amount,
                         qPrintable(where + QStringLiteral(": ink %1 against %2").arg(a.amount).arg(f.amount)));
            }
        }
    }

    void TextTheAtlasCannotDrawGoesThroughTheFontLibrary() {
        const SceneText text;
        const Font caption{FontFace::Arial, 15.75f, true, false};
        struct Case {
            const char* what;
            double ratio;
            Font font;
            QString text;
        };
        const std::vector<Case> cases = {
            {"a character no caption has", 1, caption, QStringLiteral("Caf\u00e9")},
            {"a ratio between whole ones", 1.5, caption, QStringLiteral("High")},
            {"a size no label has", 1, Font{FontFace::Arial, 30, true, false}, QStringLiteral("High")},
        };
        for (const Case& c : cases) {
            bool drawn = true;
            const QImage none = Render(c.ratio, QSizeF(120, 40), kSky, [&](QPainter& p) {
                drawn = text.DrawFromAtlas(p, QRectF(0, 0, 120, 40), c.font, Qt::black, Qt::AlignLeft, c.text);
            });
            QVERIFY2(!drawn, c.what);
            QVERIFY2(InkOf(none, kSky).box.isEmpty(), c.what);
            const QImage some = Render(c.ratio, QSizeF(120, 40), kSky, [&](QPainter& p) {
                text.Draw(p, QRectF(0, 0, 120, 40), c.font, Qt::black, Qt::AlignLeft, c.text);
            });
            QVERIFY2(!InkOf(some, kSky).box.isEmpty(), c.what);
        }
    }

    void WithoutAnAtlasEverythingStillShows() {
        const SceneText text{std::nullopt};
        const Font caption{FontFace::Arial, 15.75f, true, false};
        const QImage image = Render(1, QSizeF(120, 40), kSky, [&](QPainter& p) {
            text.Draw(p, QRectF(0, 0, 120, 40), caption, Qt::black, Qt::AlignLeft, QStringLiteral("High"));
        });
        QVERIFY(!InkOf(image, kSky).box.isEmpty());
    }

    void AnUnderlineRunsUnderTheWholeWord() {
        const SceneText text;
        const Font heading{FontFace::Arial, 15.75f, true, true};
        const QSizeF box(120, 33);
        const QImage atlas = Render(1, box, kSky, [&](QPainter& p) {
            QVERIFY(text.DrawFromAtlas(p, QRectF(QPointF(), box), heading, Qt::blue, Qt::AlignLeft, QStringLiteral("Gravity")));
        });
        const QImage font = Render(1, box, kSky, [&](QPainter& p) {
            SceneText::DrawWithFont(p, QRectF(QPointF(), box), heading, Qt::blue, Qt::AlignLeft, QStringLiteral("Gravity"));
        });
        // The lowest row of solid blue in each: the underline, at the same height.
        auto underline = [](const QImage& image) {
            for (int y = image.height() - 1; y >= 0; --y) {
                int blue = 0;
                for (int x = 0; x < image.width(); ++x) blue += image.pixelColor(x, y) == QColor(Qt::blue);
                if (blue > 40) return y;
            }
            return -1;
        };
        QVERIFY(underline(font) > 0);
        QCOMPARE(underline(atlas), underline(font));
    }
};

QTEST_MAIN(TextTest)
#include "text_test.moc"
