#include "KitSpin.h"

#include "FocusedWheel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// Fixed-point text keeps at most this many significant digits; a number
// whose integer part needs more is shown in scientific notation.
constexpr int SignificantDigits = 15;

QString DecimalSeparator() { return QLocale().decimalPoint(); }

// "-0.00" after a step that lands next to zero reads as plain zero.
QString WithoutNegativeZero(const QString &text)
{
    if (text.startsWith(QLatin1Char('-')) &&
        std::none_of(text.begin(), text.end(), [](QChar c) { return c >= '1' && c <= '9'; }))
        return text.mid(1);
    return text;
}

QString FixedText(double value, int decimals)
{
    if (!(std::fabs(value) < 1e15))
        return QString::number(value, 'E', SignificantDigits - 1);
    const int intDigits = value == 0.0 ? 1 : std::max(1, int(std::floor(std::log10(std::fabs(value)))) + 1);
    const int kept = std::clamp(SignificantDigits - intDigits, 0, decimals);
    QString text = QString::number(value, 'f', kept);
    if (decimals > kept)
        text += (kept == 0 ? QStringLiteral(".") : QString()) + QString(decimals - kept, QLatin1Char('0'));
    text.replace(QLatin1Char('.'), DecimalSeparator());
    return WithoutNegativeZero(text);
}

// Rounded to the nearest integer, ties to even, within the 64-bit range.
int64_t RoundedInteger(double value)
{
    constexpr double limit = 9.2e18;
    return int64_t(std::nearbyint(std::clamp(value, -limit, limit)));
}

QString HexText(double value)
{
    const int64_t n = RoundedInteger(value);
    // A negative number shows as its 32-bit two's complement.
    const uint64_t bits = n < 0 ? uint64_t(uint32_t(int32_t(n))) : uint64_t(n);
    return QString::number(qulonglong(bits), 16).toUpper();
}

// The text as a decimal number; infinite when it is too large for one.
double DecimalOf(const QString &text, bool &ok)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return locale.toDouble(text.trimmed(), &ok);
}

std::optional<double> ReadFloat(const QString &text)
{
    bool ok = false;
    const double value = DecimalOf(text, ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The characters that erase: Backspace, and Delete, which X11 sends as
// U+007F.
bool IsErasing(QChar c) { return c.unicode() == 8 || c.unicode() == 127; }

bool IsHexDigit(QChar c)
{
    const QChar upper = c.toUpper();
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (upper >= QLatin1Char('A') && upper <= QLatin1Char('F'));
}

// Hexadecimal digits of at most 32 bits, read as a signed number.
std::optional<double> ReadHex(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), IsHexDigit))
        return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, 16);
    if (!ok || value > 0xFFFFFFFFull)
        return std::nullopt;
    return double(int32_t(uint32_t(value)));
}

std::optional<double> ReadInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool IsDecimalInteger(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    return integer.match(text).hasMatch();
}

// A number too large for the kind to convert: typed on, it would no longer
// read as a number at all.
bool IsTooLarge(const QString &text, TValueType type)
{
    switch (type) {
    case vtFloat: {
        bool ok = false;
        return std::isinf(DecimalOf(text, ok));
    }
    case vtHex: {
        const QString digits = text.trimmed();
        return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), IsHexDigit) && !ReadHex(digits);
    }
    case vtInteger:
        break;
    }
    return IsDecimalInteger(text) && !ReadInteger(text);
}

}  // namespace

TKitSpinEdit::TKitSpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    WheelEditsOnlyFocused(*this);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TKitSpinEdit::TextChanged);
    lineEdit()->setText(QStringLiteral("0"));
}

void TKitSpinEdit::TextChanged()
{
    if (!FChanging)
        emit valueChanged();
}

std::optional<double> TKitSpinEdit::Number() const
{
    const QString text = lineEdit()->text();
    switch (FValueType) {
    case vtFloat:
        return ReadFloat(text);
    case vtHex:
        return ReadHex(text);
    case vtInteger:
        break;
    }
    return ReadInteger(text);
}

double TKitSpinEdit::Value() const
{
    return Number().value_or(FValueType == vtFloat ? FMinValue : std::trunc(FMinValue));
}

double TKitSpinEdit::CheckValue(double value) const
{
    if (std::isnan(value))
        return FMinValue;
    if (FValueType == vtInteger)  // no bounds still means a 32-bit integer
        value = std::clamp(value, double(INT32_MIN), double(INT32_MAX));
    if (FMinValue != FMaxValue) {
        if (value < FMinValue)
            return FMinValue;
        if (value > FMaxValue)
            return FMaxValue;
    }
    return value;
}

QString TKitSpinEdit::TextOf(double value) const
{
    switch (FValueType) {
    case vtFloat:
        return FixedText(value, FDecimal);
    case vtHex:
        return HexText(value);
    case vtInteger:
        break;
    }
    return QString::number(qlonglong(RoundedInteger(value)));
}

void TKitSpinEdit::SetValue(double value) { ShowValue(CheckValue(value)); }

void TKitSpinEdit::ShowValue(double value) { lineEdit()->setText(TextOf(value)); }

void TKitSpinEdit::SetRange(double minValue, double maxValue)
{
    FMinValue = minValue;
    FMaxValue = maxValue;
}

void TKitSpinEdit::SetDecimal(int digits)
{
    FDecimal = std::clamp(digits, 0, 255);
    SetValue(Value());
}

void TKitSpinEdit::SetValueType(TValueType type)
{
    FValueType = type;
    SetValue(Value());
    if (type != vtFloat) {
        FIncrement = std::nearbyint(FIncrement);
        if (FIncrement == 0.0)
            FIncrement = 1.0;
    }
}

void TKitSpinEdit::SetEditorEnabled(bool enabled)
{
    FEditorEnabled = enabled;
    ApplyEditorEnabled();
}

// A read-only line edit refuses typing, pasting, cutting and dropping alike,
// while the steps still rewrite its text.
void TKitSpinEdit::ApplyEditorEnabled()
{
    lineEdit()->setReadOnly(isReadOnly() || !FEditorEnabled);
}

void TKitSpinEdit::changeEvent(QEvent *event)
{
    QAbstractSpinBox::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        ApplyEditorEnabled();
}

bool TKitSpinEdit::IsValidChar(QChar c) const
{
    if (IsErasing(c))
        return FEditorEnabled;
    if (c.unicode() < 32)
        return true;
    if (!FEditorEnabled)
        return false;
    QString accepted = QStringLiteral("+-0123456789");
    const QString text = lineEdit()->text();
    if (FValueType == vtFloat) {
        if (!text.contains(DecimalSeparator()))
            accepted += DecimalSeparator();
        if (!text.toUpper().contains(QLatin1Char('E')))
            accepted += QStringLiteral("Ee");
    } else if (FValueType == vtHex) {
        accepted += QStringLiteral("ABCDEFabcdef");
    }
    return accepted.contains(c);
}

void TKitSpinEdit::UpClick() { Step(FIncrement); }

void TKitSpinEdit::DownClick() { Step(-FIncrement); }

void TKitSpinEdit::Step(double delta)
{
    if (isReadOnly()) {
        QApplication::beep();
        return;
    }
    const QString old = lineEdit()->text();
    FChanging = true;
    SetValue(Value() + delta);
    FChanging = false;
    if (QString::compare(old, lineEdit()->text(), Qt::CaseInsensitive) != 0) {
        lineEdit()->setModified(true);
        emit valueChanged();
    }
    if (delta > 0)
        emit topClicked();
    else
        emit bottomClicked();
}

void TKitSpinEdit::stepBy(int steps)
{
    for (; steps > 0; --steps)
        UpClick();
    for (; steps < 0; ++steps)
        DownClick();
}

QAbstractSpinBox::StepEnabled TKitSpinEdit::stepEnabled() const
{
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

void TKitSpinEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!FArrowKeys) {
            event->ignore();
            return;
        }
        event->key() == Qt::Key_Up ? UpClick() : DownClick();
        event->accept();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->ignore();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && !IsValidChar(text.front())) {
        QApplication::beep();
        event->accept();
        return;
    }
    // Enter and Escape are left unaccepted, so the dialog's default or
    // cancel button acts on them.
    QAbstractSpinBox::keyPressEvent(event);
}

// A number typed past the kind's range is refused as it is typed or pasted,
// so the text never shows a number that reads as none.
QValidator::State TKitSpinEdit::validate(QString &input, int &) const
{
    return IsTooLarge(input, FValueType) ? QValidator::Invalid : QValidator::Acceptable;
}

// Only a typed number is pulled into range: a value shown as a project
// holds it stays until the user edits it.
void TKitSpinEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractSpinBox::focusOutEvent(event);
    const double value = Value();
    if (lineEdit()->isModified() && CheckValue(value) != value)
        SetValue(value);
}

// Wide enough for the longest of the bounds and the current text.
QSize TKitSpinEdit::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(fontMetrics());
    int width = 0;
    for (const QString &text : {TextOf(FMinValue), TextOf(FMaxValue), lineEdit()->text()})
        width = std::max(width, metrics.horizontalAdvance(text + QLatin1Char(' ')));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(width + 2, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize TKitSpinEdit::minimumSizeHint() const { return sizeHint(); }
