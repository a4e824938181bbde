#pragma once
// The action panels of the action group, one class per kind of panel (the "Inne możliwości"
// panel has its own header). Each builds its controls the first time it is shown and reads as
// it would start until then. What the restore and the command line write into a panel goes
// through its methods; the message, sound, path, web address, shutdown and "Inne możliwości"
// panels keep it until they are built, so a first show builds only what it shows.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/alarm_settings.h"
#include "ports/processes.h"
#include "win/config/panel_kit.h"
#include "win/ui/panel.h"

namespace klaxora::win {

class SoundTransport;

// p_k_komunikat: the message's text and caption.
class MessagePanel : public Panel {
  public:
    enum Id : UINT { kTresc = 100, kKomunikat, kTytul, kCaption };
    explicit MessagePanel(const PanelKit& kit) : kit_(kit) {}
    std::function<void()> Changed;
    void Read(AlarmSettings& s) const;
    // The restore: the lists' items (in place of the presets) and, where given, their texts.
    void SetLists(std::vector<std::wstring> texts, const std::optional<std::wstring>& text,
                  std::vector<std::wstring> captions, const std::optional<std::wstring>& caption);
    // The command line: the texts alone.
    void SetTexts(const std::wstring& text, const std::wstring& caption);

    Label l_Tresc, l_Tytul;
    ComboBox cb_Komunikat, cb_Caption;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    const PanelKit& kit_;
    // Kept while the panel is unbuilt, so that a restore builds nothing.
    std::optional<std::vector<std::wstring>> textItems_, captionItems_;
    HeldText text_, caption_;
};

// p_k_PdegrajDzwiek: the sound file and the preview player's controls.
class SoundActionPanel : public Panel {
  public:
    enum Id : UINT {
        kDzwiek = 100,
        kEdit,
        kBrowse,
        kRecent,
        kCzas,
        kLabelCzas,
        kPlay,
        kPause,
        kStop,
        kLoop
    };
    SoundActionPanel(const PanelKit& kit, SoundTransport& player) : kit_(kit), player_(player) {}
    std::function<void()> Changed;
    std::function<void()> RecentClicked;  // the recent list's button
    void Read(AlarmSettings& s) const;
    std::wstring File() const { return file_.Get(fne_PlikWAV.edit); }
    void SetFile(const std::wstring& path);
    // Enables the transport (Play, Pause, Stop, the loop box).
    void EnableTransport(bool enabled);

    Label l_Dzwiek, l_Czas, LabelCzas;
    Button sb_ListaPlikowWAV, Play, Pause, Stop;
    CheckBox LoopCheckBox;
    FileEditor fne_PlikWAV;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
    SoundTransport& player_;
    HeldText file_;
};

// p_Zamknij: the kind of shutdown.
class ShutdownPanel : public Panel {
  public:
    enum Id : UINT { kOpcja = 100, kZamknijSystem };
    explicit ShutdownPanel(const PanelKit& kit) : kit_(kit) {}
    std::function<void()> Changed;
    void Read(AlarmSettings& s) const;
    void Choose(std::wstring_view caption) { choice_.Set(cb_ZamknijSystem, caption); }

    Label l_Opcja;
    ComboBox cb_ZamknijSystem;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
    HeldChoice choice_;
};

// p_UrProg, p_Plik, p_OtworzFolder: a caption, a path editor and its recent list.
class PathPanel : public Panel {
  public:
    enum Id : UINT { kLabel = 100, kEdit, kBrowse, kRecent };
    PathPanel(std::wstring_view caption, std::wstring_view filter, bool mustExist,
              const PanelKit& kit)
        : caption_(caption), filter_(filter), mustExist_(mustExist), kit_(kit) {}
    std::function<void()> Changed;
    std::function<void()> RecentClicked;
    std::wstring Path() const { return path_.Get(Editor.edit); }
    void SetPath(const std::wstring& path);

    win::Label Label;
    FileEditor Editor;  // fne_PlikEXE / fne_Plik / de_Foldery
    Button Recent;      // sb_ListaPlikowEXE / sb_ListaPlikow / sb_ListaFolderow

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    std::wstring_view caption_, filter_;
    bool mustExist_;
    const PanelKit& kit_;
    HeldText path_;
};

// p_WWW: the web address.
class WebPanel : public Panel {
  public:
    enum Id : UINT { kAdresWWW = 100, kWWW, kRecent };
    explicit WebPanel(const PanelKit& kit) : kit_(kit) {}
    std::function<void()> Changed;
    std::function<void()> RecentClicked;
    void Read(AlarmSettings& s) const;
    std::wstring Address() const { return address_.Get(e_WWW); }
    void SetAddress(const std::wstring& address);

    Label l_AdresWWW;
    Edit e_WWW;
    Button sb_ListaWWW;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
    HeldText address_;
};

// p_ZabijProces: the running processes; the sort of the list lives here.
class ProcessPanel : public Panel {
  public:
    enum Id : UINT { kProcesy = 100 };
    ProcessPanel(const PanelKit& kit, ProcessWatchPort& processes)
        : kit_(kit), processes_(processes) {}
    // The selection of a row changed.
    std::function<void()> RowChanged;

    void FillProcessList();
    void lv_ProcesyColumnClick(int column);
    // The process id of the selected row.
    std::optional<DWORD> SelectedProcess() const;
    // A column's text of the selected row (0 the file name, 2 the "ID Procesu"); empty
    // without a selected row.
    std::wstring SelectedColumn(int column) const;
    // A column's texts of every row, in the order the rows show.
    std::vector<std::wstring> ColumnTexts(int column) const;
    // Selects and focuses the row (by its position), scrolled into view.
    void SelectRow(size_t row);

    ListView lv_Procesy;

  protected:
    void Build() override;
    bool OnNotify(const NMHDR& header) override;

  private:
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);
    const PanelKit& kit_;
    ProcessWatchPort& processes_;
    // The texts of the rows, by the index each row carries.
    std::vector<std::array<std::wstring, 3>> rows_;
    int sortColumn_ = -1;
    bool sortAscending_ = false;
};

}  // namespace klaxora::win
