#pragma once

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

// Makes file writes past `bytes` fail (EFBIG) for the lifetime of the
// object. Tests run as root, where permissions stop no write; a file size
// limit still does. Windows has no such limit: there the object does
// nothing and the tests skip with kSkipReason.
class FileSizeLimit
{
public:
#ifdef Q_OS_WIN
    static constexpr const char *kSkipReason =
        "Windows has no file size limit; a target held open or read-only is tested instead";
    explicit FileSizeLimit(long long) {}
    bool active() const
    {
        return false;
    }
#else
    static constexpr const char *kSkipReason = "cannot lower the file size limit";
    static constexpr rlim_t kNone = RLIM_INFINITY;
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        // The default action of SIGXFSZ would end the test process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const
    {
        return m_active;
    }
#endif
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

#ifndef Q_OS_WIN
private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
#endif
};
