// A single-line numeric edit with up and down arrows. The value lives in
// the text: reading Value converts the text, writing it clamps, formats and
// sets the text. Typing is limited to the characters of a number, the
// arrows and the Up and Down keys step by Increment, and leaving the field
// pulls a typed out-of-range number to the nearer bound. Integers,
// hexadecimal integers (digits without prefix) and fixed-point decimals are
// handled.
#pragma once

#include <QAbstractSpinBox>

#include <optional>

enum TValueType { vtInteger = 0, vtFloat = 1, vtHex = 2 };

class TKitSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit TKitSpinEdit(QWidget *parent = nullptr);

    // The text as a number; a text that does not convert reads as MinValue
    // (truncated for the integer kinds).
    double Value() const;
    // The text as a number, or none while it is no number (empty, a lone
    // sign...), so that a form can wait until the user has typed one.
    std::optional<double> Number() const;
    void SetValue(double value);
    // Shows the value as it is, outside the bounds too, as a form shows a
    // value the project holds; leaving the field keeps it.
    void ShowValue(double value);

    // When MinValue equals MaxValue there is no bound at all.
    double MinValue() const { return FMinValue; }
    double MaxValue() const { return FMaxValue; }
    void SetMinValue(double value) { FMinValue = value; }
    void SetMaxValue(double value) { FMaxValue = value; }
    void SetRange(double minValue, double maxValue);
    double Increment() const { return FIncrement; }
    void SetIncrement(double value) { FIncrement = value; }
    // Digits after the decimal separator for vtFloat.
    int Decimal() const { return FDecimal; }
    void SetDecimal(int digits);
    TValueType ValueType() const { return FValueType; }
    // Rereads the text under the new type; the integer kinds round
    // Increment to a whole step of at least 1.
    void SetValueType(TValueType type);
    // False: the text cannot be typed into, pasted or cut; only the arrows
    // and the arrow keys change it.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool enabled);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool enabled) { FArrowKeys = enabled; }

    // The value kept within the bounds (unchanged when they are equal), and
    // for vtInteger within the 32 bits its text reads back.
    double CheckValue(double value) const;
    // Whether the character may be typed into the current text. Control
    // characters pass (Enter, Escape, Ctrl+V...), the erasing ones
    // (Backspace, Delete) only while typing is on.
    bool IsValidChar(QChar c) const;

    // One step up or down: the change event once if the text changed (letter
    // case aside), then topClicked or bottomClicked in any case. A read-only
    // edit only beeps.
    void UpClick();
    void DownClick();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The text changed, typed or set from code; a step raises it at most once.
    void valueChanged();
    void topClicked();
    void bottomClicked();

protected:
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Step(double delta);
    void TextChanged();
    QString TextOf(double value) const;
    void ApplyEditorEnabled();

    double FMinValue = 0.0;
    double FMaxValue = 0.0;
    double FIncrement = 1.0;
    int FDecimal = 2;
    TValueType FValueType = vtInteger;
    bool FEditorEnabled = true;
    bool FArrowKeys = true;
    bool FChanging = false;  // a step is rewriting the text: no change event
};
