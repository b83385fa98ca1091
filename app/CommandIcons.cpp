#include "CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>

#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace {

// Every picture is drawn on a 32 x 32 grid and scaled to the size asked for.
using TDraw = std::function<void(QPainter &)>;

const QColor Blue(40, 90, 190);
const QColor LightBlue(120, 170, 240);
const QColor Green(30, 150, 50);
const QColor Red(200, 40, 40);
const QColor Dark(50, 50, 50);

// A small 3D button: a rounded rectangle lit from the top.
void ButtonShape(QPainter &p, const QRectF &r, const QColor &colour = Blue)
{
    QLinearGradient light(r.topLeft(), r.bottomLeft());
    light.setColorAt(0, colour.lighter(170));
    light.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(light);
    p.drawRoundedRect(r, r.height() / 3, r.height() / 3);
}

void Arrow(QPainter &p, QPointF from, QPointF to, const QColor &colour = Green)
{
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    p.drawPolyline(QPolygonF({to - 5 * d + 4 * n, to, to - 5 * d - 4 * n}));
}

// A broad arrow, up or down, that stays plain when greyed.
void BlockArrow(QPainter &p, bool up)
{
    QPolygonF arrow({{16, 2}, {29, 15}, {21, 15}, {21, 30}, {11, 30}, {11, 15}, {3, 15}});
    if (!up)
        arrow = QTransform(1, 0, 0, -1, 0, 32).map(arrow);
    p.setPen(QPen(Green.darker(150), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Green);
    p.drawPolygon(arrow);
}

void Sign(QPainter &p, const QColor &colour, bool vertical, bool diagonal = false)
{
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
    if (diagonal) {
        p.drawLine(QPointF(19, 19), QPointF(29, 29));
        p.drawLine(QPointF(29, 19), QPointF(19, 29));
        return;
    }
    p.drawLine(QPointF(18, 24), QPointF(30, 24));
    if (vertical)
        p.drawLine(QPointF(24, 18), QPointF(24, 30));
}

// The "automatic" badge of the auto-copy switches.
void AutoBadge(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 150, 20));
    p.drawEllipse(QRectF(18, 18, 14, 14));
    p.setPen(QPen(Qt::white, 2));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(18, 18, 14, 14), Qt::AlignCenter, QStringLiteral("A"));
}

void Letter(QPainter &p, const QString &text, const QRectF &r, const QColor &colour)
{
    QFont font = p.font();
    font.setPixelSize(int(r.height()));
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void Page(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(Dark, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void StateRow(QPainter &p)
{
    ButtonShape(p, QRectF(1, 2, 9, 8), LightBlue);
    ButtonShape(p, QRectF(11.5, 2, 9, 8));
    ButtonShape(p, QRectF(22, 2, 9, 8), Blue.darker(130));
}

void ButtonColumn(QPainter &p)
{
    for (int i = 0; i < 3; ++i)
        ButtonShape(p, QRectF(2, 2 + i * 10, 14, 8));
}

const std::map<std::string, TDraw> &Pictures()
{
    static const std::map<std::string, TDraw> pictures = {
        {"text", [](QPainter &p) { Letter(p, QStringLiteral("T"), QRectF(2, 2, 28, 28), Blue); }},
        {"shape", [](QPainter &p) {
             p.setPen(QPen(Blue, 3));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(3, 8, 26, 16), 6, 6);
         }},
        {"deformation", [](QPainter &p) {
             QPainterPath path(QPointF(3, 28));
             path.cubicTo(QPointF(3, 6), QPointF(29, 6), QPointF(29, 28));
             p.setPen(QPen(Blue, 3));
             p.drawPath(path);
             p.setPen(QPen(Dark, 1.5));
             p.drawLine(QPointF(2, 29), QPointF(30, 29));
         }},
        {"material", [](QPainter &p) {
             QRadialGradient shine(QPointF(12, 11), 16);
             shine.setColorAt(0, Qt::white);
             shine.setColorAt(0.3, LightBlue);
             shine.setColorAt(1, Blue.darker(160));
             p.setPen(Qt::NoPen);
             p.setBrush(shine);
             p.drawEllipse(QRectF(3, 3, 26, 26));
         }},
        {"light", [](QPainter &p) {
             p.setPen(QPen(QColor(230, 160, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
             for (int i = 0; i < 8; ++i) {
                 p.save();
                 p.translate(16, 16);
                 p.rotate(i * 45);
                 p.drawLine(QPointF(0, 10), QPointF(0, 14));
                 p.restore();
             }
             p.setBrush(QColor(255, 210, 40));
             p.drawEllipse(QRectF(9, 9, 14, 14));
         }},
        {"texture", [](QPainter &p) {
             for (int y = 0; y < 4; ++y)
                 for (int x = 0; x < 4; ++x)
                     p.fillRect(QRectF(4 + x * 6, 4 + y * 6, 6, 6),
                                (x + y) % 2 ? QColor(150, 90, 40) : QColor(230, 190, 120));
             p.setPen(QPen(Dark, 1));
             p.drawRect(QRectF(4, 4, 24, 24));
         }},
        {"shadow", [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(120, 120, 120));
             p.drawRoundedRect(QRectF(8, 12, 22, 14), 4, 4);
             ButtonShape(p, QRectF(2, 6, 22, 14));
         }},
        {"quick-save", [](QPainter &p) {
             Page(p, QRectF(4, 2, 18, 26));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(240, 160, 0));
             p.drawPolygon(QPolygonF({{22, 12}, {15, 22}, {21, 22}, {18, 31}, {28, 19}, {22, 19}, {26, 12}}));
         }},
        {"new-project", [](QPainter &p) {
             Page(p, QRectF(3, 1, 20, 27));
             ButtonShape(p, QRectF(6, 6, 14, 7));
             Sign(p, Green, true);
         }},
        {"export", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 9, 17, 14));
             Arrow(p, QPointF(19, 16), QPointF(30, 16));
         }},
        {"copy", [](QPainter &p) {
             Page(p, QRectF(2, 2, 18, 21));
             Page(p, QRectF(11, 9, 18, 21));
             ButtonShape(p, QRectF(13, 15, 14, 9));
         }},
        {"move-up", [](QPainter &p) { BlockArrow(p, true); }},
        {"move-down", [](QPainter &p) { BlockArrow(p, false); }},
        {"batch-export", [](QPainter &p) {
             ButtonColumn(p);
             Arrow(p, QPointF(19, 16), QPointF(30, 16));
         }},
        {"rename", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 8, 30, 16), LightBlue);
             Letter(p, QStringLiteral("ab"), QRectF(3, 9, 20, 14), Dark);
             p.setPen(QPen(Dark, 1.5));
             p.drawLine(QPointF(25, 6), QPointF(25, 26));
         }},
        {"copy-properties", [](QPainter &p) {
             ButtonShape(p, QRectF(2, 4, 20, 12), LightBlue);
             ButtonShape(p, QRectF(10, 16, 20, 12));
         }},
        {"exchange", [](QPainter &p) {
             Arrow(p, QPointF(4, 10), QPointF(28, 10), Blue);
             Arrow(p, QPointF(28, 22), QPointF(4, 22), Green);
         }},
        {"copy-to-all", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 12, 12, 8), LightBlue);
             Arrow(p, QPointF(13, 16), QPointF(20, 16));
             for (int i = 0; i < 3; ++i)
                 ButtonShape(p, QRectF(21, 3 + i * 10, 10, 7));
         }},
        {"to-states", [](QPainter &p) {
             StateRow(p);
             Arrow(p, QPointF(16, 14), QPointF(16, 29));
         }},
        {"to-buttons", [](QPainter &p) {
             for (int y = 0; y < 3; ++y)
                 for (int x = 0; x < 3; ++x)
                     ButtonShape(p, QRectF(1 + x * 10.5, 2 + y * 10, 9, 8));
         }},
        {"to-same-states", [](QPainter &p) {
             ButtonColumn(p);
             Arrow(p, QPointF(30, 4), QPointF(30, 28), Green);
         }},
        {"auto-states", [](QPainter &p) {
             StateRow(p);
             AutoBadge(p);
         }},
        {"auto-buttons", [](QPainter &p) {
             ButtonColumn(p);
             AutoBadge(p);
         }},
        {"auto-same-states", [](QPainter &p) {
             for (int i = 0; i < 3; ++i)
                 ButtonShape(p, QRectF(2, 2 + i * 10, 14, 8), i == 1 ? Blue : LightBlue);
             AutoBadge(p);
         }},
        {"add-to-template", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 4, 22, 14));
             Sign(p, Green, true);
         }},
        {"delete-from-template", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 4, 22, 14));
             Sign(p, Red, false);
         }},
        {"clear-template", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 4, 22, 14));
             Sign(p, Red, false, true);
         }},
        {"copy-from-template", [](QPainter &p) {
             ButtonShape(p, QRectF(1, 3, 14, 9), LightBlue);
             ButtonShape(p, QRectF(17, 3, 14, 9), LightBlue);
             Arrow(p, QPointF(16, 14), QPointF(16, 29));
         }},
        {"node-project", [](QPainter &p) {
             Page(p, QRectF(3, 1, 26, 30));
             for (int i = 0; i < 3; ++i)
                 ButtonShape(p, QRectF(7, 5 + i * 8, 18, 6));
         }},
        {"node-button", [](QPainter &p) { ButtonShape(p, QRectF(1, 8, 30, 16)); }},
        {"node-state", [](QPainter &p) { ButtonShape(p, QRectF(6, 10, 20, 12), LightBlue); }},
    };
    return pictures;
}

QIcon DrawnIcon(const TDraw &draw)
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 32.0, side / 32.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon CommandIcon(const char *name)
{
    if (!name || !*name)
        return {};
    if (std::strncmp(name, "bl:", 3) != 0)
        return QIcon::fromTheme(QString::fromLatin1(name));
    const auto found = Pictures().find(name + 3);
    return found == Pictures().end() ? QIcon() : DrawnIcon(found->second);
}

void ChooseIconTheme()
{
    // Platforms without a desktop theme (offscreen, bare X servers) search
    // only the resources: add the system's icon folders.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory))
        if (!paths.contains(folder))
            paths.push_back(folder);
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}
