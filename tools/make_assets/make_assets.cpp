// Draws the game's artwork: the window icon, the two player pictures and the
// desktop icons (the title banner is drawn by the game from shapes). Run it by hand after changing a drawing:
//   QT_QPA_PLATFORM=offscreen make_assets <assets directory>
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr int kPlayerWidth = 500;
constexpr int kPlayerHeight = 250;
constexpr int kWindowIconSize = 32;
constexpr std::initializer_list<int> kDesktopIconSizes = {32, 64, 128, 256};

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

bool Save(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) {
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

// A rounded sky tile with the ground, Yellow and the ball over her; from 64
// pixels up the net and Yellow's eye fit in too.
QImage Icon(int size) {
  const double s = size;
  const bool detailed = size >= 64;
  const double outline = std::max(1.0, s / 48.0);

  QImage image = Canvas(size, size);
  QPainter painter(&image);
  Smooth(painter);

  const QRectF tile(0.5, 0.5, s - 1, s - 1);
  const double corner = s * 0.18;
  QPainterPath tilePath;
  tilePath.addRoundedRect(tile, corner, corner);
  painter.setClipPath(tilePath);
  painter.fillRect(tile, kSky);
  const double groundY = s * 0.78;
  painter.fillRect(QRectF(0, groundY, s, s - groundY), kGround);

  if (detailed) {
    const QRectF net(s * 0.82, s * 0.50, s * 0.06, groundY - s * 0.50);
    painter.setPen(QPen(kOutline, outline));
    painter.setBrush(kNetWhite);
    painter.drawRect(net);
  }

  // At 32 pixels an eye would be a grey smudge; the player reads better plain.
  DrawPlayer(painter, QPointF(s * 0.40, groundY), s * 0.30, kYellow, detailed ? +1 : 0, outline);

  painter.setPen(QPen(kOutline, outline));
  painter.setBrush(kBallGreen);
  painter.drawEllipse(QPointF(s * 0.66, s * 0.24), s * 0.15, s * 0.15);

  painter.setClipping(false);
  painter.setPen(QPen(kOutline, outline));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(tilePath);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_assets ASSETS_DIR\n");
    return 2;
  }
  const QDir assets(QString::fromLocal8Bit(argv[1]));
  bool ok = Save(Icon(kWindowIconSize), assets.filePath("icon.png")) &&
            Save(PlayerPicture(kYellow, +1), assets.filePath("player1.png")) &&
            Save(PlayerPicture(kRed, -1), assets.filePath("player2.png"));
  for (const int size : kDesktopIconSizes) {
    const QString dir = QString("icons/hicolor/%1x%1/apps").arg(size);
    ok = ok && assets.mkpath(dir) && Save(Icon(size), assets.filePath(dir + "/quondra.png"));
  }
  return ok ? 0 : 1;
}
