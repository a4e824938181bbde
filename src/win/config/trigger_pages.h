#pragma once
// The notebook pages of the trigger group, one class per kind of page. Each builds its
// controls the first time it is shown and reads as it would start until then; a program page
// keeps a path written into it until then.
#include <array>
#include <functional>

#include "config/alarm_settings.h"
#include "win/config/panel_kit.h"
#include "win/ui/panel.h"
#include "win/ui/spin_edit.h"

namespace klaxora::win {

// "odlicz_w_dol" and "wykonaj_o": a caption, three spin edits with the bold colons between
// them, the recent list, the time wizard and the format note.
class TimePage : public Panel {
  public:
    enum class Kind { Countdown, AtTime };
    enum Id : UINT {
        kCaption = 100,
        kColons,
        kHours,
        kMinutes,
        kSeconds,
        kRecent,
        kWizard,
        kFormat,
        kFieldName
    };

    TimePage(Kind kind, const PanelKit& kit) : kind_(kind), kit_(kit) {}
    // A change of a field by the user (the countdown's own handler).
    std::function<void()> Changed;
    // The recent list's and the time wizard's buttons.
    std::function<void()> RecentClicked, WizardClicked;

    TimeFields Read() const;
    void Write(const TimeFields& time);

    Label Caption;
    Label Colons;
    SpinEdit Hours, Minutes, Seconds;
    // Each field's name for assistive tools, just before the field.
    std::array<Label, 3> FieldNames;
    Button Recent;  // sb_ur_alarm_za / sb_ur_alarm_o
    Button Wizard;
    Label Format;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;
    COLORREF TextColour(HWND control) const override;

  private:
    Kind kind_;
    const PanelKit& kit_;
};

// "program_nie_odpowiada", "program_uruch", "program_zamkniety": a caption, the program's
// path editor and, on the first two, a note.
class ProgramPage : public Panel {
  public:
    enum Id : UINT { kCaption = 100, kEdit, kBrowse, kNote };

    // An empty note: the page has none.
    ProgramPage(std::wstring_view note, const PanelKit& kit) : note_(note), kit_(kit) {}
    std::function<void()> Changed;
    std::wstring Path() const;
    void SetPath(const std::wstring& path);

    Label Caption;
    FileEditor Editor;  // e_ZawieszonyProgram / e_UruchomionyProgram / e_ProgramZamkniety
    Label Note;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    std::wstring_view note_;
    const PanelKit& kit_;
    HeldText path_;
};

// "brak_neta": the seconds without a connection and their reading as a time.
class NoInternetPage : public Panel {
  public:
    enum Id : UINT { kBrakPolaczenia = 100, kBrakNeta, kSekundy, kPoKonwersji };

    explicit NoInternetPage(const PanelKit& kit) : kit_(kit) {}
    std::function<void()> Changed;
    int64_t Seconds() const { return se_BrakNeta.Value(); }
    void SetSeconds(int64_t seconds);

    Label l_BrakPolaczenia, l_Sekundy, l_PoKonwersji;
    SpinEdit se_BrakNeta;

    void se_BrakNetaChange();

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
};

// "wykonaj_win": a note only.
class WindowsStartPage : public Panel {
  public:
    enum Id : UINT { kPoStarcie = 100 };
    explicit WindowsStartPage(const PanelKit& kit) : kit_(kit) {}
    Label l_PoStarcie;

  protected:
    void Build() override;

  private:
    const PanelKit& kit_;
};

}  // namespace klaxora::win
