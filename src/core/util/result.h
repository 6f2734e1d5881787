#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tessaray {

// The core's one way to report a failure: a code that says what went wrong (an enum of the layer)
// and its details (by default a text, such as the path or the system's reason). Messages for the
// user are made from both where they are shown.
template <typename ECode, typename Detail = std::string> struct SError {
    ECode eCode{};
    Detail detail{};
};

// Either a value or the error that kept it from being made. Converts from both, so a function
// returns its value or `SError<...>{code, detail}` directly.
template <typename T, typename ECode, typename Detail = std::string> class [[nodiscard]] CResult {
public:
    using Error = SError<ECode, Detail>;

    CResult(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    CResult(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    const T& Value() const& {
        assert(Ok());
        return std::get<0>(m_state);
    }
    T& Value() & {
        assert(Ok());
        return std::get<0>(m_state);
    }
    T&& Value() && {
        assert(Ok());
        return std::get<0>(std::move(m_state));
    }
    const Error& GetError() const {
        assert(!Ok());
        return std::get<1>(m_state);
    }
    // The code of the error; ECode{} (by convention the enum's None) on success.
    ECode Code() const { return Ok() ? ECode{} : GetError().eCode; }

private:
    std::variant<T, Error> m_state;
};

// Success without a value, or the error. `return {};` is success.
template <typename ECode, typename Detail> class [[nodiscard]] CResult<void, ECode, Detail> {
public:
    using Error = SError<ECode, Detail>;

    CResult() = default;
    CResult(Error error) : m_error(std::move(error)) {}

    bool Ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return Ok(); }

    const Error& GetError() const {
        assert(!Ok());
        return *m_error;
    }
    ECode Code() const { return Ok() ? ECode{} : m_error->eCode; }

private:
    std::optional<Error> m_error;
};

} // namespace tessaray
