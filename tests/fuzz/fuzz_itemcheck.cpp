// libFuzzer target: arbitrary bytes (picture names with "..", control characters) as an item
// file of every described kind, through the checker's per-file path. Findings need a line inside
// the file and a message printed without control characters; no section read is an error.
#include "inireader.h"
#include "itemcheck.h"
#include "kindform.h"

#include "amoform.h"
#include "escaform.h"
#include "galleggianteform.h"
#include "piombinoform.h"
#include "fishchecks.h"
#include "luogoform.h"
#include "pasturaform.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const std::vector<KindForm> &forms()
{
    static const std::vector<KindForm> all{TAmoForm::describe(),          TEscaForm::describe(),
                                           TGalleggianteForm::describe(), TPiombinoForm::describe(),
                                           TPasturaForm::describe(),      TLuogoForm::describe()};
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int lines = int(bytes.count('\n') + bytes.count('\r')) + 1;
    // No pictures lie here, so a named one is reported missing.
    static const QString folder = QDir::tempPath() + QStringLiteral("/kv-fuzz-nothing-here/");
    for (const KindForm &form : forms()) {
        const std::vector<Finding> findings = checkItemBytes(bytes, form, folder);
        bool anyError = false;
        for (const Finding &f : findings) {
            check(f.line >= 0 && f.line <= lines);
            check(!f.message.isEmpty());
            for (const QChar c : printable(f.message))
                check(c.category() != QChar::Other_Control);
            anyError |= f.severity == Finding::Severity::Error;
        }
        if (!IniProfile::fromBytes(bytes).hasSection(form.info().section))
            check(anyError);
    }
    for (const Finding &f : checkPresenceBytes(bytes)) {
        check(f.line >= 0 && f.line <= lines);
        check(!f.message.isEmpty());
    }
    return 0;
}
