// The library lists that show their entries as pictures: textures, shapes
// and deformations. Item i of such a list is drawn as the thumbnail of entry
// i of the project's library of that kind; items beyond the library stay
// blank. The state panel and the template library dialog both use them.
#pragma once

#include "SceneBlocks.h"

#include <QImage>
#include <QStyledItemDelegate>

class QListWidget;

enum class TLibraryKind { Texture, Shape, Deformation };

// 50 x 50: the lower-left 50 x 50 texels, upright.
QImage TextureThumbnail(const TTextureBlock &texture);

// Makes the list draw its items as thumbnails of the kind's library, at the
// item height of that kind. The list keeps one string per entry.
void ShowLibraryThumbnails(QListWidget &list, TLibraryKind kind);

// Paints an item: its rectangle in the selection colour or the list's own,
// then the entry's thumbnail stretched into it, inset at the sides.
class TThumbnailDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TThumbnailDelegate(TLibraryKind kind, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The entry's picture; a null image for a row the library lacks.
    QImage Thumbnail(int row) const;

    TLibraryKind FKind;
};
