#include "inifilewriter.h"

#include "codepage.h"
#include "desktopservices.h"
#include "kverror.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// The ANSI file functions take at most MAX_PATH characters including the
// terminating NUL; a longer name fails like any other open failure.
constexpr qsizetype kMaxFileNameLength = 259;

constexpr qsizetype kRuleLength = 49;

} // namespace

TIniFileWriter::TIniFileWriter(DesktopServices &desktop)
    : m_desktop(desktop)
{
}

// Destroying an uncommitted QSaveFile discards its temporary file, so a
// writer abandoned before Close leaves the target untouched.
TIniFileWriter::~TIniFileWriter() = default;

void TIniFileWriter::CreaInMemory()
{
    m_file.reset();
    m_inMemory = true;
    m_memory.clear();
}

void TIniFileWriter::Crea(const QString &fileName)
{
    m_file.reset();
    m_inMemory = false;
    m_fileName = fileName;
    m_openError.clear();
    // QSaveFile would accept an empty name and fail only at commit.
    if (!fileName.isEmpty() && fileName.size() <= kMaxFileNameLength) {
        auto file = std::make_unique<QSaveFile>(fileName);
        // No direct-write fallback: replacing the target only on a complete
        // Close is the point of writing through a temporary file.
        file->setDirectWriteFallback(false);
        if (file->open(QIODevice::WriteOnly)) {
            m_file = std::move(file);
            return;
        }
        m_openError = file->errorString();
    }
    // English in both UI languages, and not a bilingual message.
    m_desktop.message(u"Error writing file."_s);
}

void TIniFileWriter::Close()
{
    if (!m_file)
        throw KvError(notOpenText());
    // Leaving the scope discards the temporary file unless commit() succeeded.
    const std::unique_ptr<QSaveFile> file = std::move(m_file);
    // QSaveFile::commit() replaces the target even when flushing the last
    // buffered bytes fails (Qt 6.4), so flush and check first.
    if (!file->flush() || !file->commit())
        throw KvError(writeErrorText(file->errorString()));
}

void TIniFileWriter::AddComment(const QString &comm)
{
    writeLine(u"; "_s + comm);
}

void TIniFileWriter::AddTitle(const QString &title)
{
    const QString equalsRule(kRuleLength, u'=');
    AddComment(equalsRule);
    AddComment(title);
    AddComment(equalsRule);
    AddComment(QString());
    AddComment(u"Creato con Korvalis Editor 1.2a "_s);
    AddComment(QString(kRuleLength, u'-'));
}

void TIniFileWriter::AddNewComment(const QString &comm)
{
    AddBlankLine();
    AddComment(comm);
}

void TIniFileWriter::AddBlankLine()
{
    writeLine(QString());
}

void TIniFileWriter::AddSection(const QString &sect)
{
    AddBlankLine();
    writeLine(u'[' + sect + u']');
}

void TIniFileWriter::AddStringKey(const QString &key, const QString &value)
{
    // No escaping: quotes and line breaks inside the value go out as they are.
    writeLine(key + u"=\"" + value + u'"');
}

void TIniFileWriter::AddIntegerKey(const QString &key, qint32 value)
{
    writeLine(key + u'=' + QString::number(value));
}

void TIniFileWriter::writeLine(const QString &line)
{
    if (m_inMemory) {
        m_memory += CodePage::toWindows1252(line) + "\r\n";
        return;
    }
    if (!m_file)
        throw KvError(notOpenText());
    QByteArray bytes = CodePage::toWindows1252(line);
    bytes.append("\r\n");
    if (m_file->write(bytes) != bytes.size()) {
        // A short write is not always flagged as an error by QSaveFile, so
        // drop the incomplete file now: a later Close cannot commit it.
        const QString reason = m_file->errorString();
        m_file.reset();
        throw KvError(writeErrorText(reason));
    }
}

QString TIniFileWriter::writeErrorText(const QString &reason) const
{
    return u"Error writing file %1: %2"_s.arg(QDir::toNativeSeparators(m_fileName), reason);
}

QString TIniFileWriter::notOpenText() const
{
    if (m_fileName.isEmpty())
        return u"Error writing file: no file was created."_s;
    // The reason the open failed says more than that the file is not open.
    return u"Error writing file %1: %2"_s.arg(QDir::toNativeSeparators(m_fileName),
                                              m_openError.isEmpty() ? u"the file is not open."_s
                                                                    : m_openError);
}
