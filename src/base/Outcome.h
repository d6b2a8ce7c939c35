#pragma once
// The one result shape of the core: a value, or the Finnish message that tells the
// user why there is none.

#include <QString>
#include <optional>
#include <utility>

namespace tankeli {

template <typename T>
class [[nodiscard]] Outcome
{
public:
    Outcome(T value)
        : m_value(std::move(value))
    {
    }
    static Outcome failure(QString message) { return Outcome(std::nullopt, std::move(message)); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    const T &operator*() const { return *m_value; }
    const T *operator->() const { return &*m_value; }
    // Empty when ok().
    const QString &error() const { return m_error; }

private:
    Outcome(std::nullopt_t, QString message)
        : m_error(std::move(message))
    {
    }
    std::optional<T> m_value;
    QString m_error;
};

// Success with nothing to hand back, or the message of a failure.
template <>
class [[nodiscard]] Outcome<void>
{
public:
    Outcome() = default;
    static Outcome failure(QString message)
    {
        Outcome outcome;
        outcome.m_failed = true;
        outcome.m_error = std::move(message);
        return outcome;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

using Done = Outcome<void>;

} // namespace tankeli
