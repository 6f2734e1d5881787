#pragma once
// Owning wrappers of libcurl handles, private to the fetcher's sources.

#include <curl/curl.h>

#include <utility>

namespace tessaray {

// Initialises libcurl once per process, thread-safely; cleaned up at exit.
inline void EnsureCurlInitialised() {
    struct CGlobal {
        CGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
        ~CGlobal() { curl_global_cleanup(); }
    };
    static const CGlobal global;
}

// One owned libcurl handle of type T, released by Free. Copy deleted, move noexcept.
template <typename T, void (*Free)(T*)> class CCurlHandle {
public:
    CCurlHandle() = default;
    explicit CCurlHandle(T* handle) : m_pHandle(handle) {}
    ~CCurlHandle() { Reset(); }
    CCurlHandle(const CCurlHandle&) = delete;
    CCurlHandle& operator=(const CCurlHandle&) = delete;
    CCurlHandle(CCurlHandle&& other) noexcept
        : m_pHandle(std::exchange(other.m_pHandle, nullptr)) {}
    CCurlHandle& operator=(CCurlHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            m_pHandle = std::exchange(other.m_pHandle, nullptr);
        }
        return *this;
    }

    T* Get() const { return m_pHandle; }
    explicit operator bool() const { return m_pHandle != nullptr; }
    void Reset() {
        if (m_pHandle != nullptr) {
            Free(std::exchange(m_pHandle, nullptr));
        }
    }

private:
    T* m_pHandle = nullptr;
};

namespace curl_detail {
inline void FreeMulti(CURLM* handle) {
    curl_multi_cleanup(handle);
}
} // namespace curl_detail

using CCurlEasy = CCurlHandle<CURL, curl_easy_cleanup>;
using CCurlMulti = CCurlHandle<CURLM, curl_detail::FreeMulti>;
using CCurlList = CCurlHandle<curl_slist, curl_slist_free_all>;
using CCurlUrl = CCurlHandle<CURLU, curl_url_cleanup>;

} // namespace tessaray
