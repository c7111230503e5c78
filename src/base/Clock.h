#pragma once
// Today and now, behind a seam so that invoice numbers and default dates can
// be tested on a fixed day.
#include <QDate>
#include <QDateTime>

namespace base {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace base
