// The scene's text is the toolkit's: every face the game asks for is the face
// it gets, and the window's captions are what QPainter::drawText draws.
#include <QFontInfo>
#include <QPushButton>
#include <QTest>

#include "scene_fonts.h"
#include "ui_support.h"

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

constexpr double kPx = 1.0 / kUnitsPerPixel;

QString NameOf(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

struct Caption {
    const Label* label;
    QPointF offset;  // of its frame, in pixels
};

// Every label of the layout, where it lies in the window.
std::vector<Caption> Captions(const FrmGame& frm) {
    std::vector<Caption> captions;
    for (const ObjectRef& object : frm.Objects()) {
        const auto* const* l = std::get_if<Label*>(&object);
        if (l == nullptr) continue;
        const Frame* frame = (*l)->Container;
        captions.push_back({*l, frame ? QPointF(frame->Left * kPx, frame->Top * kPx) : QPointF()});
    }
    return captions;
}

// Two pictures alike but for the last bit of blending, which depends on
// whether a glyph was composed onto the window or onto a fresh image.
bool SamePicture(const QImage& a, const QImage& b) {
    constexpr int kBlendSlack = 2;
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > kBlendSlack || std::abs(qGreen(p) - qGreen(q)) > kBlendSlack ||
                std::abs(qBlue(p) - qBlue(q)) > kBlendSlack)
                return false;
        }
    return true;
}

}  // namespace

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void EveryFaceTheGameAsksForIsTheFaceItGets() {
        ShownGame game;
        std::vector<std::pair<QString, QFont>> fonts;
        for (const Caption& c : Captions(game.frm)) fonts.emplace_back(NameOf(c.label->Name), ToQFont(c.label->Font));
        fonts.emplace_back(QStringLiteral("cmdPlay"), game.window.Controls().Play()->font());
        for (const auto& [name, font] : fonts) {
            const QFontInfo got(font);
            const QString wanted = font.families().value(0);
            QVERIFY2(got.family() == wanted, qPrintable(QStringLiteral("%1 asks for %2 and gets %3: install it")
                                                            .arg(name, wanted, got.family())));
            QVERIFY2(got.bold() == font.bold(), qPrintable(name + QStringLiteral(": wrong weight")));
            QCOMPARE(got.pixelSize(), font.pixelSize());
        }
    }

    void ArialAndComicSansMapToTheirInstalledEquivalents() {
        QCOMPARE(InstalledFamily(FontFace::Arial), QStringLiteral("Liberation Sans"));
        QCOMPARE(InstalledFamily(FontFace::ComicSansMS), QStringLiteral("Comic Neue"));
        // 27.75 pt at 96 dots per inch.
        QCOMPARE(ToQFont(Font{FontFace::ComicSansMS, 27.75f, true, false}).pixelSize(), 37);
    }

    // Each shown caption in the window, pixel for pixel, against the same
    // text drawn by the toolkit into an image of its box, at ratios 1 and 2.
    void ShownCaptionsAreTheToolkitsOwnText_data() {
        QTest::addColumn<double>("ratio");
        QTest::newRow("ratio 1") << 1.0;
        QTest::newRow("ratio 2") << 2.0;
    }
    void ShownCaptionsAreTheToolkitsOwnText() {
        QFETCH(double, ratio);
        ShownGame game;
        QImage window(game.window.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        window.setDevicePixelRatio(ratio);
        game.window.render(&window);
        int compared = 0;
        for (const Caption& c : Captions(game.frm)) {
            const Label& l = *c.label;
            const Frame* frame = l.Container;
            if (!l.Visible || (frame && !frame->Visible) || l.Caption.empty()) continue;
            const QRectF box(c.offset + QPointF(l.Left * kPx, l.Top * kPx), QSizeF(l.Width * kPx, l.Height * kPx));
            const QRect device((box.topLeft() * ratio).toPoint(), (box.size() * ratio).toSize());
            const QColor back = l.BackColor ? ToQColor(*l.BackColor) : window.pixelColor(device.topLeft());
            QImage drawn(device.size(), QImage::Format_ARGB32_Premultiplied);
            drawn.setDevicePixelRatio(ratio);
            drawn.fill(back);
            {
                QPainter p(&drawn);
                p.setRenderHint(QPainter::Antialiasing);
                p.setRenderHint(QPainter::TextAntialiasing);
                p.setPen(ToQColor(l.ForeColor));
                p.setFont(ToQFont(l.Font));
                const Qt::Alignment h = l.Align == Alignment::Center ? Qt::AlignHCenter
                                        : l.Align == Alignment::Right ? Qt::AlignRight
                                                                      : Qt::AlignLeft;
                p.drawText(QRectF(QPointF(), box.size()), static_cast<int>(h | Qt::AlignTop | Qt::TextWordWrap),
                           QString::fromStdString(l.Caption));
            }
            QImage shown = window.copy(device);
            shown.setDevicePixelRatio(ratio);
            QVERIFY2(SamePicture(shown, drawn), qPrintable(NameOf(l.Name) + QStringLiteral(" differs from the toolkit's text")));
            ++compared;
        }
        QVERIFY(compared >= 10);
    }
};

QTEST_MAIN(TextTest)
#include "text_test.moc"
