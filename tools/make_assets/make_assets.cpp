// Draws the game's artwork: the two player pictures and the icon in every size
// the desktop and the window use, plus its scalable form (the title banner is
// drawn by the game from shapes). Run it by hand after changing a drawing:
//   QT_QPA_PLATFORM=offscreen make_assets <assets directory>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr int kPlayerWidth = 500;
constexpr int kPlayerHeight = 250;
// The desktop's icon sizes; the window's own icon takes the smaller ones.
constexpr std::initializer_list<int> kIconSizes = {16, 24, 32, 48, 64, 128, 256};
constexpr int kDetailedIconSize = 48;
// The window's own icon sizes (see the game window); the game decodes them
// before its first frame, so they are stored without compression, which makes
// reading them about a third cheaper.
constexpr int kLargestWindowIcon = 64;
constexpr int kUncompressed = 100;
constexpr int kSvgCanvas = 128;
// The free border around the tile, as a fraction of the canvas (12 of 128).
constexpr double kIconMargin = 12.0 / 128.0;
constexpr double kMinIconMargin = 1.0;

const QColor kSky(128, 255, 255);
const QColor kGround(0, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBallGreen(0, 255, 0);
const QColor kNetWhite(255, 255, 255);
const QColor kOutline(0, 0, 0);


// Fractions of the 500-pixel disc; the eye sits high on the side facing the net.
constexpr double kEyeOffsetX = 0.26;
constexpr double kEyeOffsetY = 0.62;
constexpr double kEyeRadius = 0.075;
constexpr double kPupilRadius = 0.036;
constexpr double kPupilShift = 0.03;

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
}

bool Save(const QImage& image, const QString& path, int quality = -1) {
  if (!image.save(path, "PNG", quality)) {
    std::fprintf(stderr, "make_assets: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s (%dx%d)\n", qPrintable(path), image.width(), image.height());
  return true;
}

// A half-disc of the given radius standing on `foot`, with one eye looking
// `facing` (+1 right, -1 left), or none when `facing` is 0.
void DrawPlayer(QPainter& painter, QPointF foot, double radius, const QColor& fill, int facing,
                double outline) {
  painter.save();
  painter.setClipRect(QRectF(foot.x() - radius - outline, foot.y() - radius - outline,
                             2 * (radius + outline), radius + outline));
  painter.setPen(QPen(kOutline, outline));
  painter.setBrush(fill);
  painter.drawEllipse(foot, radius, radius);
  painter.restore();
  if (facing == 0) return;

  const QPointF eye(foot.x() + facing * kEyeOffsetX * 2 * radius,
                    foot.y() - kEyeOffsetY * radius);
  const double eyeRadius = kEyeRadius * 2 * radius;
  painter.setPen(QPen(kOutline, outline * 0.6));
  painter.setBrush(Qt::white);
  painter.drawEllipse(eye, eyeRadius, eyeRadius);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  const double pupilRadius = kPupilRadius * 2 * radius;
  painter.drawEllipse(QPointF(eye.x() + facing * kPupilShift * 2 * radius, eye.y()), pupilRadius,
                      pupilRadius);
}

QImage PlayerPicture(const QColor& fill, int facing) {
  QImage image = Canvas(kPlayerWidth, kPlayerHeight);
  QPainter painter(&image);
  Smooth(painter);
  constexpr double kOutlineWidth = 4.0;
  // The disc's rim just touches the picture's edges; the outline stays inside.
  const double radius = kPlayerHeight - kOutlineWidth / 2;
  DrawPlayer(painter, QPointF(kPlayerWidth / 2.0, kPlayerHeight), radius, fill, facing,
             kOutlineWidth);
  return image;
}

// Where the icon's parts sit on a canvas of `size` pixels. The tile keeps the
// margin of the desktop icon guidelines free, so that the icon lines up with
// its neighbours in a launcher; the parts are fractions of the tile.
struct IconLayout {
  explicit IconLayout(double size)
      : margin(std::max(kMinIconMargin, std::floor(size * kIconMargin))),
        tile(size - 2 * margin),
        corner(tile * 0.18),
        outline(std::max(1.0, size / 48.0)),
        groundY(At(0.78)),
        net(margin + tile * 0.82, At(0.50), tile * 0.06, groundY - At(0.50)),
        player(margin + tile * 0.40, groundY),
        playerRadius(tile * 0.30),
        ball(margin + tile * 0.66, At(0.24)),
        ballRadius(tile * 0.15) {}

  double At(double fraction) const { return margin + tile * fraction; }

  double margin, tile, corner, outline, groundY;
  QRectF net;
  QPointF player;
  double playerRadius;
  QPointF ball;
  double ballRadius;
};

// A rounded sky tile with the ground, Yellow and the ball over her; from 48
// pixels up the net and Yellow's eye fit in too.
QImage Icon(int size) {
  const IconLayout at(size);
  const bool detailed = size >= kDetailedIconSize;

  QImage image = Canvas(size, size);
  QPainter painter(&image);
  Smooth(painter);

  // Half a pixel in, so that the outline falls on whole pixels.
  const QRectF tile(at.margin + 0.5, at.margin + 0.5, at.tile - 1, at.tile - 1);
  QPainterPath tilePath;
  tilePath.addRoundedRect(tile, at.corner, at.corner);
  painter.setClipPath(tilePath);
  painter.fillRect(tile, kSky);
  painter.fillRect(QRectF(at.margin, at.groundY, at.tile, at.margin + at.tile - at.groundY),
                   kGround);

  if (detailed) {
    painter.setPen(QPen(kOutline, at.outline));
    painter.setBrush(kNetWhite);
    painter.drawRect(at.net);
  }

  // At small sizes an eye would be a grey smudge; the player reads better plain.
  DrawPlayer(painter, at.player, at.playerRadius, kYellow, detailed ? +1 : 0, at.outline);

  painter.setPen(QPen(kOutline, at.outline));
  painter.setBrush(kBallGreen);
  painter.drawEllipse(at.ball, at.ballRadius, at.ballRadius);

  painter.setClipping(false);
  painter.setPen(QPen(kOutline, at.outline));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(tilePath);
  return image;
}

// The detailed icon as SVG, for the desktop's scalable slot: the same layout
// on a canvas of kSvgCanvas units.
QString IconSvg() {
  const IconLayout at(kSvgCanvas);
  const auto n = [](double v) { return QString::number(v, 'g', 6); };
  const auto colour = [](const QColor& c) { return c.name(); };
  const double eyeX = at.player.x() + kEyeOffsetX * 2 * at.playerRadius;
  const double eyeY = at.player.y() - kEyeOffsetY * at.playerRadius;
  const double eyeRadius = kEyeRadius * 2 * at.playerRadius;
  const double pupilX = eyeX + kPupilShift * 2 * at.playerRadius;
  const double pupilRadius = kPupilRadius * 2 * at.playerRadius;
  const QString tile = QString("x=\"%1\" y=\"%1\" width=\"%2\" height=\"%2\" rx=\"%3\"")
                           .arg(n(at.margin), n(at.tile), n(at.corner));
  QString svg;
  svg += QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                 "viewBox=\"0 0 %1 %1\">\n").arg(kSvgCanvas);
  svg += QString("  <clipPath id=\"tile\"><rect %1/></clipPath>\n").arg(tile);
  svg += QString("  <g clip-path=\"url(#tile)\" stroke=\"%1\" stroke-width=\"%2\">\n")
             .arg(colour(kOutline), n(at.outline));
  svg += QString("    <rect %1 fill=\"%2\" stroke=\"none\"/>\n").arg(tile, colour(kSky));
  svg += QString("    <rect x=\"0\" y=\"%1\" width=\"%2\" height=\"%2\" fill=\"%3\" "
                 "stroke=\"none\"/>\n")
             .arg(n(at.groundY), n(kSvgCanvas), colour(kGround));
  svg += QString("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
             .arg(n(at.net.x()), n(at.net.y()), n(at.net.width()), n(at.net.height()),
                  colour(kNetWhite));
  svg += QString("    <path d=\"M %1 %2 A %3 %3 0 0 1 %4 %2 Z\" fill=\"%5\"/>\n")
             .arg(n(at.player.x() - at.playerRadius), n(at.groundY), n(at.playerRadius),
                  n(at.player.x() + at.playerRadius), colour(kYellow));
  svg += QString("    <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"#ffffff\" "
                 "stroke-width=\"%4\"/>\n")
             .arg(n(eyeX), n(eyeY), n(eyeRadius), n(at.outline * 0.6));
  svg += QString("    <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"#000000\" stroke=\"none\"/>\n")
             .arg(n(pupilX), n(eyeY), n(pupilRadius));
  svg += QString("    <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
             .arg(n(at.ball.x()), n(at.ball.y()), n(at.ballRadius), colour(kBallGreen));
  svg += "  </g>\n";
  svg += QString("  <rect %1 fill=\"none\" stroke=\"%2\" stroke-width=\"%3\"/>\n")
             .arg(tile, colour(kOutline), n(at.outline));
  svg += "</svg>\n";
  return svg;
}

bool SaveText(const QString& text, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(text.toUtf8()) != text.toUtf8().size()) {
    std::fprintf(stderr, "make_assets: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_assets ASSETS_DIR\n");
    return 2;
  }
  const QDir assets(QString::fromLocal8Bit(argv[1]));
  bool ok = Save(PlayerPicture(kYellow, +1), assets.filePath("player1.png")) &&
            Save(PlayerPicture(kRed, -1), assets.filePath("player2.png")) &&
            assets.mkpath("icons") && SaveText(IconSvg(), assets.filePath("icons/icon.svg"));
  for (const int size : kIconSizes) {
    ok = ok && Save(Icon(size), assets.filePath(QString("icons/icon_%1.png").arg(size)),
                    size <= kLargestWindowIcon ? kUncompressed : -1);
  }
  return ok ? 0 : 1;
}
