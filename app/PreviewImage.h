// The preview of the current state: a plain widget that shows a 24-bit
// bitmap of its own size, into which the render buffer's image is copied,
// centred over the settings' background colour. The offscreen rendering
// context belongs to the engine; this widget only paints the bitmap.
#pragma once

#include <QImage>
#include <QWidget>

class TPreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewImage(QWidget *parent = nullptr);

    // The next DrawPreview refills the whole background first.
    void SetNeedBgRedraw() { FNeedBgRedraw = true; }
    bool NeedBgRedraw() const { return FNeedBgRedraw; }

    // Copies the current state's image from the render buffer into the
    // bitmap; with no state current the bitmap is plain background and the
    // image is hidden.
    void DrawPreview();

    const QImage &Bitmap() const { return FBitmap; }
    bool ImageShown() const { return FImageShown; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage FBitmap;
    bool FNeedBgRedraw = true;
    bool FImageShown = false;
};
