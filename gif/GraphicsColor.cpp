#include "GraphicsColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QPalette::ColorRole RoleOf(TColor color)
{
    switch (color) {
    case clWindow: return QPalette::Base;
    case clWindowFrame: return QPalette::Shadow;
    case clWindowText:
    case clGrayText: return QPalette::Text;
    case clBtnShadow: return QPalette::Dark;
    case clBtnText: return QPalette::ButtonText;
    case clBtnHighlight: return QPalette::Light;
    default: return QPalette::Button;
    }
}

}  // namespace

TColor ColorToRGB(TColor color)
{
    if (color >= 0)
        return color;
    const QPalette palette = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette();
    // Grey text is the text colour of a disabled control.
    const QPalette::ColorGroup group = color == clGrayText ? QPalette::Disabled : QPalette::Active;
    return QRgbToColor(palette.color(group, RoleOf(color)).rgb());
}
