#pragma once
#include "core/base/Clock.h"

#include <QDateTime>

class QDateTimeEdit;
class QWidget;

namespace kardel::gui {

// Stored times and the date pickers. A picker keeps the time of day it was given,
// as only the day is edited, and never leaves the range a stored time can hold.
inline QDateTime ToDateTime(time32 time) {
    return QDateTime::fromSecsSinceEpoch(time);
}
time32 FromDateTime(const QDateTime& dateTime);
// A short-date picker with its calendar dropping down.
QDateTimeEdit* MakeDatePicker(QWidget* parent);

} // namespace kardel::gui
