#pragma once
// Sets (or, with nullptr, removes) an environment variable for one test and puts back what was
// there when it ends.

#include <cstdlib>
#include <optional>
#include <string>

namespace marlek::test {

class ScopedEnv {
public:
    ScopedEnv(const char *name, const char *value) : m_name(name) {
        if (const char *old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace marlek::test
