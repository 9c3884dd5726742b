#pragma once

#include "itemeditorform.h"
#include "profilecore.h"

#include <QColor>

#include <array>

class ProfileOverlay;
class ProfileShape;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class QUndoStack;
class TPresPesciForm;

// The venue editor: the common item editor plus the fishing-area profile
// drawn over the photo and the link to a fish-presence list.
class TLuogoForm : public TItemEditorForm
{
    Q_OBJECT

public:
    TLuogoForm(KorvalisShell &shell, TPresPesciForm &presPesci, QWidget *parent = nullptr);
    ~TLuogoForm() override;

    static KindForm describe();

    QString GetPathLuoghi() const { return kindFolder(); }

    void EnableGradoLentezza();
    void SpeedButtonOpenKVSClick();
    void SpeedButtonViewKVSClick();
    void LuogoColorBoxChange();

    // The presence link as shown, "\KVS\PesciNord.kvs".
    QString presenceLink() const;
    QColor lineColour() const;

    // The profile.
    const Profilo::Profile &profile() const { return m_profile; }
    int getAltezzaLimite() const { return m_profile.geometry().step(); }
    void iniAllShapes();
    void strToPosShapes(const QString &luogoSup);
    QString posShapesToStr() const { return m_profile.posShapesToStr(); }
    const QString &tipoLimiti() const { return m_profile.types(); }
    int getIdxShape(const ProfileShape *shape) const;
    int getPosShape(const ProfileShape *shape) const;
    // One marker, in window coordinates: a press, its type line, and how
    // it shows for the pointer.
    void movShape(int idx, int X, int Y, Profilo::Button button);
    void drawTipoLimite(int idx);
    void verShape(int idx, int X, int Y);
    // Every marker, in overlay coordinates.
    void movAllShapes(int x, int y, Profilo::Button button);
    void verAllShapes(int x, int y);
    // movAllShapes (0, 0) with the middle button, then verAllShapes (0, 0).
    void redrawProfile();
    // A press on the profile by the user: movAllShapes, undoable.
    void pressProfile(int x, int y, Profilo::Button button);
    // The marker presses and type changes since the last New, Load or Save.
    QUndoStack *profileUndo() const { return m_undo; }

    // The 20 named colours of the line colour list, in list order.
    static const std::array<std::pair<const char *, QRgb>, 20> &lineColours();

protected:
    void newExtra() override;
    void readExtra(const IniProfile &ini) override;
    void writeExtra(TIniFileWriter &w) override;
    bool verificaExtra() override;
    void savedExtra() override;
    void captionsExtra(bool english) override;
    void hintsExtra(bool english) override;
    QString zipFileList() const override;

private:
    void buildVenueUi();
    void placeMarker(int idx);
    void setPresenceLink(const QString &link);
    void setProfileState(const Profilo::Levels &levels, const QString &types);
    int maxDistance() const;

    TPresPesciForm &m_presPesci;
    Profilo::Profile m_profile;

    QComboBox *m_corrente = nullptr;
    QComboBox *m_gradoLentezza = nullptr;
    QSlider *m_distMax = nullptr;
    QLabel *m_valDistMax = nullptr;
    QLabel *m_valDistMax2 = nullptr;
    QCheckBox *m_profCasuale = nullptr;
    QLineEdit *m_filePresPesci = nullptr;
    QLabel *m_labelPresPesci = nullptr;
    QToolButton *m_openKVS = nullptr;
    QToolButton *m_viewKVS = nullptr;
    QLabel *m_labelColore = nullptr;
    QComboBox *m_colorBox = nullptr;
    QLabel *m_labelAreaDiPesca = nullptr;
    ProfileShape *m_limiteInf = nullptr;
    ProfileOverlay *m_limiti = nullptr;
    std::array<ProfileShape *, Profilo::kMarkers> m_shapes{};
    QRect m_photo; // the photo view, in window coordinates
    QUndoStack *m_undo = nullptr;
};
