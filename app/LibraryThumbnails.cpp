#include "LibraryThumbnails.h"

#include "GeometryPictures.h"
#include "GraphicsColor.h"
#include "ProjU.h"

#include <QListWidget>
#include <QPainter>
#include <algorithm>

namespace {

struct TItemLook {
    int Height;      // of each item
    int SideInset;   // of the picture, left and right
};

constexpr int PictureInsetY = 2;

TItemLook LookOf(TLibraryKind kind)
{
    return kind == TLibraryKind::Texture ? TItemLook{50, 25} : TItemLook{44, 20};
}

}  // namespace

QImage TextureThumbnail(const TTextureBlock &texture)
{
    constexpr int side = 50;
    QImage image(side, side, QImage::Format_RGB888);
    for (int y = 0; y < side; ++y)
        std::copy_n(texture.Texels + y * TextureSide * 3, side * 3, image.scanLine(side - 1 - y));
    return image;
}

void ShowLibraryThumbnails(QListWidget &list, TLibraryKind kind)
{
    list.setItemDelegate(new TThumbnailDelegate(kind, &list));
    list.setUniformItemSizes(true);
}

TThumbnailDelegate::TThumbnailDelegate(TLibraryKind kind, QObject *parent)
    : QStyledItemDelegate(parent), FKind(kind)
{
}

QImage TThumbnailDelegate::Thumbnail(int row) const
{
    if (!Proj || row < 0)
        return {};
    const QRgb window = ColorToQRgb(clWindow);
    switch (FKind) {
    case TLibraryKind::Texture:
        return row < Proj->Textures.Count() ? TextureThumbnail(Proj->Textures.GetBlock(row)) : QImage();
    case TLibraryKind::Shape:
        return row < Proj->Shapes.Count() ? ShapeThumbnail(Proj->Shapes.GetBlock(row), window) : QImage();
    case TLibraryKind::Deformation:
        return row < Proj->Deformations.Count()
                   ? DeformationThumbnail(Proj->Deformations.GetBlock(row), window)
                   : QImage();
    }
    return {};
}

void TThumbnailDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QImage thumbnail = Thumbnail(index.row());
    if (thumbnail.isNull())
        return;
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    const int inset = LookOf(FKind).SideInset;
    painter->drawImage(option.rect.adjusted(inset, PictureInsetY, -inset, -PictureInsetY), thumbnail);
}

QSize TThumbnailDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), LookOf(FKind).Height};
}
