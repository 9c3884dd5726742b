#pragma once

#include "editortest.h"
#include "itemeditorform.h"
#include "visibletexts.h"

#include <QAbstractButton>

// What the tests of the tackle editors share beyond every editor's fixture:
// the editor by kind, the photo's pick and the head of every item file.
class TackleFixture : public EditorTest<TItemEditorForm>
{
public:
    TackleFixture()
        : EditorTest(ItemKind::Amo)
    {
    }

    using EditorTest::start;
    void start(bool englishUi, ItemKind kind)
    {
        m_kind = kind;
        start(englishUi);
    }
    void pickPhoto(const QString &path)
    {
        desk->answerOpen(path);
        ctl<QAbstractButton>(QStringLiteral("SpeedButtonOpenFoto"))->click();
    }

    // The title block and section line of every item file.
    static QStringList head(const QString &title, const QString &section)
    {
        return {QStringLiteral("; ================================================="),
                QStringLiteral("; ") + title,
                QStringLiteral("; ================================================="),
                QStringLiteral("; "),
                QStringLiteral("; Creato con Korvalis Editor 1.2a "),
                QStringLiteral("; -------------------------------------------------"),
                QString(),
                u'[' + section + u']'};
    }
};
