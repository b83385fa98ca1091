// The editors of a shape (the eight corner angles of the outline) and of a
// deformation (the four profile angles, the height of the top and its two
// scale factors), each with its picture. Every change is checked against
// the neighbouring values, so the edges and arcs never get a negative
// length, written into the editor's working copy, shown, and reported by
// Edited so that the dialog can apply it. The working copy carries the
// tangents that its angles give, as evaluating it works them out, so that a
// library entry made from it holds them too.
//
// Setting a control from code runs its change handler; the handlers act only
// while the project's RenderEnabled is set, and the editors clear it while
// they fill their own controls.
#pragma once

#include "SceneBlocks.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;
class QSpinBox;
class TKitSpinEdit;

// What both editors share: the "Show sectors" box and the picture above
// their rows of controls, and the report of every change they show.
class TGeometryEditor : public QWidget {
    Q_OBJECT
public:
    // Shows the working copy in the controls and the picture, then reports
    // Edited.
    virtual void Refresh() = 0;

signals:
    void Edited();

protected:
    TGeometryEditor(QWidget *parent, const char *sectorsName, int sectorsTag, const char *pictureName,
                    const char *pictureCaption, int pictureTag);

    // Rows 0 and 1 hold the box and the picture; the controls go below.
    QGridLayout &Grid() const { return *FGrid; }
    bool SectorsShown() const;
    void HideSectors();
    // The background of the pictures: the settings' background colour,
    // left out when shown, so the page shows through.
    static QRgb PictureBackground();
    void ShowPicture(const QImage &picture);

private:
    QCheckBox *FSectors;
    QLabel *FPicture;
    QGridLayout *FGrid;
};

class TShapeEditor : public TGeometryEditor {
    Q_OBJECT
public:
    explicit TShapeEditor(QWidget *parent = nullptr);

    // The working copy.
    const TShapeBlock &Shape() const { return FShape; }
    // Starts over with a new working copy, sector lines off.
    void Reset(const TShapeBlock &shape);
    // Takes a new working copy and shows it.
    void SetShape(const TShapeBlock &shape);
    void Refresh() override;

private:
    void AngleChanged(int index);

    TShapeBlock FShape;
    std::array<QSpinBox *, 8> FAngles{};  // A0 .. A7
};

class TDeformationEditor : public TGeometryEditor {
    Q_OBJECT
public:
    explicit TDeformationEditor(QWidget *parent = nullptr);

    const TDeformationBlock &Deformation() const { return FDeformation; }
    void Reset(const TDeformationBlock &deformation);
    void SetDeformation(const TDeformationBlock &deformation);
    // Also takes back what the controls hold: angles and height within
    // their ranges, decimals to two places.
    void Refresh() override;

private:
    void AngleChanged(int index);
    void DecimalChanged(int index);
    void ReadControls();

    TDeformationBlock FDeformation;
    std::array<QSpinBox *, 4> FAngles{};         // D0 .. D3
    std::array<TKitSpinEdit *, 3> FDecimals{};  // TopHeight, ScaleX, ScaleY
};
