#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace tessaray {

// The bytes of page bodies a pool holds at once, received or handed over and not yet dropped.
// The engine takes from it; a dropped body gives back (from any thread) and wakes the engine.
class CBodyBudget {
public:
    explicit CBodyBudget(std::size_t nLimit) : m_nLimit(nLimit) {}

    // Takes n bytes if they fit, or regardless when bForce.
    bool Take(std::size_t n, bool bForce);
    void Give(std::size_t n);
    // Counts the Give calls: memory may have come free since a transfer waited.
    std::uint64_t Generation() const;
    // Called after every Give; cleared (empty) before the engine goes away.
    void SetWake(std::function<void()> wake);

private:
    const std::size_t m_nLimit;
    mutable std::mutex m_mutex; // guards everything below
    std::size_t m_nUsed = 0;
    std::uint64_t m_nGeneration = 0;
    std::function<void()> m_wake;
};

// Bytes held of a budget, given back when the holder is destroyed. Move only.
class CBodyLease {
public:
    CBodyLease() = default;
    CBodyLease(std::shared_ptr<CBodyBudget> pBudget, std::size_t n)
        : m_pBudget(std::move(pBudget)), m_nBytes(n) {}
    ~CBodyLease() { Release(); }
    CBodyLease(const CBodyLease&) = delete;
    CBodyLease& operator=(const CBodyLease&) = delete;
    CBodyLease(CBodyLease&& other) noexcept
        : m_pBudget(std::move(other.m_pBudget)), m_nBytes(other.m_nBytes) {
        other.m_nBytes = 0;
    }
    CBodyLease& operator=(CBodyLease&& other) noexcept {
        if (this != &other) {
            Release();
            m_pBudget = std::move(other.m_pBudget);
            m_nBytes = other.m_nBytes;
            other.m_nBytes = 0;
        }
        return *this;
    }

    void Release() {
        if (m_pBudget && m_nBytes > 0) {
            m_pBudget->Give(m_nBytes);
        }
        m_pBudget.reset();
        m_nBytes = 0;
    }

private:
    std::shared_ptr<CBodyBudget> m_pBudget;
    std::size_t m_nBytes = 0;
};

} // namespace tessaray
