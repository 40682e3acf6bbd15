#include "gui/common/DatePicker.h"

#include <QDateTimeEdit>

#include <algorithm>
#include <limits>

namespace kardel::gui {

time32 FromDateTime(const QDateTime& dateTime) {
    qint64 seconds = dateTime.toSecsSinceEpoch();
    return static_cast<time32>(std::clamp<qint64>(seconds, 0, std::numeric_limits<time32>::max()));
}

QDateTimeEdit* MakeDatePicker(QWidget* parent) {
    auto* picker = new QDateTimeEdit(parent);
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker->setCalendarPopup(true);
    picker->setDateTimeRange(ToDateTime(0), ToDateTime(std::numeric_limits<time32>::max()));
    return picker;
}

} // namespace kardel::gui
