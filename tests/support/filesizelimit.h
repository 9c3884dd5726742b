#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes file writes past `bytes` fail (EFBIG) for the lifetime of the
// object. Tests run as root, where permissions stop no write; a file size
// limit still does.
class FileSizeLimit
{
public:
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
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
