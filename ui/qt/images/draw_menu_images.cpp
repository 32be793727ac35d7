// Draws the six main menu pictures (339 x 118) into a folder. Run once when the
// pictures change; the PNG files beside this file are what the program embeds.
//   tarnix-draw-menu-images ui/qt/images
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

struct Picture {
  const char* file;
  const char* caption;
  const char* subtitle;
  QColor accent;
  std::function<void(QPainter&, QColor)> icon;  // drawn into a 72 x 72 box at the origin
};

void DrawPin(QPainter& p, QPointF tip, double radius, QColor color) {
  QPainterPath pin;
  const QPointF centre(tip.x(), tip.y() - radius * 2.2);
  pin.moveTo(tip);
  pin.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 235, -290);
  pin.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(pin);
  p.setBrush(Qt::white);
  p.drawEllipse(centre, radius * 0.42, radius * 0.42);
}

void Destination(QPainter& p, QColor c) {
  p.setPen(QPen(QColor(255, 255, 255, 200), 3, Qt::DashLine, Qt::RoundCap));
  QPainterPath road;
  road.moveTo(6, 66);
  road.cubicTo(26, 40, 40, 70, 56, 44);
  p.setBrush(Qt::NoBrush);
  p.drawPath(road);
  DrawPin(p, QPointF(18, 62), 9, c.lighter(130));
  DrawPin(p, QPointF(54, 44), 14, c);
}

void Favorites(QPainter& p, QColor c) {
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? 34 : 14;
    const double a = M_PI / 2 + i * M_PI / 5;
    const QPointF point(36 + r * std::cos(a), 38 - r * std::sin(a));
    i == 0 ? star.moveTo(point) : star.lineTo(point);
  }
  star.closeSubpath();
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(c);
  p.drawPath(star);
}

void UserPoints(QPainter& p, QColor c) {
  DrawPin(p, QPointF(30, 68), 17, c);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(58, 22), 8, 8);
  p.drawPie(QRectF(44, 32, 28, 28), 0, 180 * 16);
}

void GpsData(QPainter& p, QColor c) {
  p.save();
  p.translate(30, 30);
  p.rotate(-35);
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(c);
  p.drawRect(QRectF(-9, -9, 18, 18));
  p.setBrush(c.lighter(140));
  p.drawRect(QRectF(-33, -7, 20, 14));
  p.drawRect(QRectF(13, -7, 20, 14));
  p.restore();
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 3; ++i) {
    const double r = 10.0 * i;
    p.drawArc(QRectF(44 - r, 62 - r, 2 * r, 2 * r), 90 * 16, 90 * 16);
  }
}

void Firmware(QPainter& p, QColor c) {
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 4; ++i) {
    const double at = 20 + i * 11;
    p.drawLine(QPointF(at, 6), QPointF(at, 16));
    p.drawLine(QPointF(at, 56), QPointF(at, 66));
    p.drawLine(QPointF(6, at), QPointF(16, at));
    p.drawLine(QPointF(56, at), QPointF(66, at));
  }
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(c);
  p.drawRoundedRect(QRectF(15, 15, 42, 42), 5, 5);
  p.setBrush(c.lighter(150));
  p.drawRect(QRectF(27, 27, 18, 18));
}

void NaviSoftware(QPainter& p, QColor c) {
  p.setPen(QPen(Qt::white, 3));
  p.setBrush(c);
  p.drawRoundedRect(QRectF(4, 10, 64, 44), 6, 6);
  p.drawLine(QPointF(36, 54), QPointF(36, 64));
  p.drawLine(QPointF(22, 66), QPointF(50, 66));
  QPainterPath arrow;
  arrow.moveTo(36, 18);
  arrow.lineTo(50, 46);
  arrow.lineTo(36, 39);
  arrow.lineTo(22, 46);
  arrow.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(arrow);
}

QImage Draw(const Picture& picture) {
  QImage image(339, 118, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, 118);
  background.setColorAt(0, QColor(28, 44, 110));
  background.setColorAt(1, QColor(10, 20, 66));
  p.setPen(QPen(picture.accent, 3));
  p.setBrush(background);
  p.drawRoundedRect(QRectF(2, 2, 335, 114), 12, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 36));
  p.drawEllipse(QPointF(59, 59), 44, 44);
  p.save();
  p.translate(23, 23);
  picture.icon(p, picture.accent);
  p.restore();

  QFont title(QStringLiteral("IPAGothic"));
  title.setPixelSize(QString::fromUtf8(picture.caption).size() > 6 ? 26 : 30);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRectF(112, 22, 220, 44), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(picture.caption));
  QFont small(QStringLiteral("IPAGothic"));
  small.setPixelSize(14);
  p.setFont(small);
  p.setPen(picture.accent.lighter(160));
  p.drawText(QRectF(112, 70, 220, 24), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(picture.subtitle));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const Picture pictures[] = {
      {"destination.png", "目的地・経由地", "ルートの目的地と経由地", QColor(232, 84, 72), Destination},
      {"favorites.png", "お気に入り", "お気に入り地点の編集", QColor(244, 180, 40), Favorites},
      {"user_points.png", "ユーザーポイント", "登録した地点の編集", QColor(64, 176, 96), UserPoints},
      {"gps_data.png", "GPSデータ", "GPSデータの更新", QColor(72, 160, 232), GpsData},
      {"firmware.png", "ファームウェア", "ファームウェアの更新", QColor(168, 112, 224), Firmware},
      {"navi_software.png", "ナビソフト", "ナビソフトの更新", QColor(40, 190, 190), NaviSoftware},
  };
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const Picture& picture : pictures) {
    const QString path = folder.filePath(QString::fromUtf8(picture.file));
    if (!Draw(picture).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
