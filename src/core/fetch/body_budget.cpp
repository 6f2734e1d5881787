#include "core/fetch/body_budget.h"

#include <algorithm>
#include <utility>

namespace tessaray {

bool CBodyBudget::Take(std::size_t n, bool bForce) {
    std::lock_guard lock(m_mutex);
    if (!bForce && m_nUsed + n > m_nLimit) {
        return false;
    }
    m_nUsed += n;
    return true;
}

void CBodyBudget::Give(std::size_t n) {
    std::lock_guard lock(m_mutex);
    m_nUsed -= std::min(n, m_nUsed);
    ++m_nGeneration;
    if (m_wake) {
        m_wake(); // under the lock: the engine cannot clear it and go away meanwhile
    }
}

std::uint64_t CBodyBudget::Generation() const {
    std::lock_guard lock(m_mutex);
    return m_nGeneration;
}

void CBodyBudget::SetWake(std::function<void()> wake) {
    std::lock_guard lock(m_mutex);
    m_wake = std::move(wake);
}

} // namespace tessaray
