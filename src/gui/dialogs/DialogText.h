#pragma once
#include "model/Clock.h"
#include "model/Cp932Codec.h"

#include <QDateTime>
#include <QString>

#include <limits>
#include <string>

class QDateTimeEdit;
class QWidget;

namespace kardel::gui {

// The dialogs' boundary between the core's cp932 bytes and Qt's Unicode.
inline QString FromCp932(const std::string& cp932) {
    return QString::fromStdString(Cp932Codec::ToUtf8(cp932).text);
}
inline std::string ToCp932(const QString& text) {
    return Cp932Codec::FromUtf8(text.toStdString()).text;
}
// The program's own texts, written in UTF-8 in the source.
inline QString Tr(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Stored times and the date pickers. A picker keeps the time of day it was given,
// as only the day is edited, and never leaves the range a stored time can hold.
inline QDateTime ToDateTime(time32 time) {
    return QDateTime::fromSecsSinceEpoch(time);
}
time32 FromDateTime(const QDateTime& dateTime);
// A short-date picker with its calendar dropping down.
QDateTimeEdit* MakeDatePicker(QWidget* parent);

} // namespace kardel::gui
