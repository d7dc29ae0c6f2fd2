#pragma once

#include <functional>

namespace sorvix {

// Reports a piece of file work to the window (true at its start, false at its
// end, however it ends), so the window can show the wait cursor. done() ends
// the report early, so a message box that follows the work comes after it.
class Working
{
public:
    explicit Working(std::function<void(bool)> report) : m_report(std::move(report)) { set(true); }
    ~Working() { done(); }
    Working(const Working &) = delete;
    Working &operator=(const Working &) = delete;
    void done() { set(false); }

private:
    void set(bool on)
    {
        if (m_report && m_on != on) {
            m_on = on;
            m_report(on);
        }
    }
    std::function<void(bool)> m_report;
    bool m_on = false;
};

} // namespace sorvix
