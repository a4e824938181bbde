#pragma once
// Captions, hints and messages of the configuration window, in one place.
#include <string_view>

namespace klaxora::win::alarm_texts {

inline constexpr std::wstring_view kCaption = L"Klaxora";
inline constexpr std::wstring_view kHomePage = L"https://www.vantrelix.pl/klaxora/";
// Drawn on the skin.
inline constexpr std::wstring_view kSkinTitle = L"Klaxora";
inline constexpr std::wstring_view kSkinLine = L"alarm i harmonogram zdarzeń";
inline constexpr std::wstring_view kSkinMaker = L"Vantrelix";

// Image buttons: accessible caption, hint.
inline constexpr std::wstring_view kStopHint = L"Zatrzymaj odliczanie";
inline constexpr std::wstring_view kWwwHint = L"Strona WWW autora programu";
inline constexpr std::wstring_view kSkrotHint =
    L"Utwórz skrót uruchamiający ustawiony typ alarmowania";
inline constexpr std::wstring_view kAboutHint = L"Wyświetl informacje o programie";
inline constexpr std::wstring_view kOpcjeHint = L"Opcje programu";
inline constexpr std::wstring_view kKoniecHint = L"Zakończ działanie programu";
inline constexpr std::wstring_view kMinimalizujHint =
    L"Minimalizuj do traya - zasobnika (ale nie odliczaj)";
inline constexpr std::wstring_view kStartHint = L"Rozpocznij odliczanie czasu";

inline constexpr std::wstring_view kGb1Caption = L" W tej chwili jest: 00:00:00 ";
inline constexpr std::wstring_view kGb2Caption = L" Wykonaj/&Zaalarmuj mnie w następujący sposób: ";
inline constexpr std::wstring_view kTriggerLabel = L"&Wykonaj/Podejmij akcję gdy ...";
inline constexpr std::wstring_view kOdliczZa = L"&Odlicz w dół i uruchom za:";
inline constexpr std::wstring_view kColons = L":         :";
// The time fields' names for assistive tools.
inline constexpr std::wstring_view kHoursName = L"Godziny";
inline constexpr std::wstring_view kMinutesName = L"Minuty";
inline constexpr std::wstring_view kSecondsName = L"Sekundy";
inline constexpr std::wstring_view kZaHint = L"Lista ostatnio odliczanych czasów";
inline constexpr std::wstring_view kKreator = L"Kreator";
inline constexpr std::wstring_view kBrowse = L"...";
inline constexpr std::wstring_view kRecentList = L"Lista";
inline constexpr std::wstring_view kTimeFormat = L"Format czasu: GG:MM:SS";
inline constexpr std::wstring_view kUruchomO = L"&Uruchom alarm o godzinie:";
inline constexpr std::wstring_view kOHint = L"Lista ostatnio wprowadzanych czasów";
inline constexpr std::wstring_view kProgramPath = L"&Podaj ścieżkę do programu:";
inline constexpr std::wstring_view kProgramNieOdpowiada =
    L"Aplikacja zaalarmuje gdy wskazany program przestanie odpowiadać.";
inline constexpr std::wstring_view kProgramUruchomiony =
    L"Aplikacja zaalarmuje gdy uruchomiony zostanie wskazany program.";
inline constexpr std::wstring_view kBrakPolaczenia = L"&Brak połączenia przez:";
inline constexpr std::wstring_view kBrakNetaHint =
    L"Podaj czas w sekundach - Jeżeli w czasie odliczania program/komputer uzyska\r\nponownie "
    L"połączenie z Internetem, licznik jest automatycznie resetowany\r\ni w przypadku ponownej "
    L"utraty łączności odliczanie następuje ponownie \r\nod ustawionego tutaj czasu";
inline constexpr std::wstring_view kSekundy = L"s";
inline constexpr std::wstring_view kPoKonwersji = L"Po przekonwertowaniu:    00:00:00";
inline constexpr std::wstring_view kPoKonwersjiHint = L"Podana liczba sekund w postaci HH:MM:SS";
inline constexpr std::wstring_view kPoStarcie =
    L"Wybierz, co chcesz zrobić po uruchomieniu systemu Windows";
inline constexpr std::wstring_view kPowtorz = L"&Powtórz akcję po";
inline constexpr std::wstring_view kPowtorzLead = L"Powtórz akcję po ";  // up to the edit
inline constexpr std::wstring_view kRepeatSecondsName = L"Odstęp powtórzeń w sekundach";
inline constexpr std::wstring_view kRepeatSeconds = L"60";

inline constexpr std::wstring_view kAmhHelp = L"Pomoc ?";
inline constexpr std::wstring_view kPodglad = L"Podgląd";
inline constexpr std::wstring_view kTresc = L"Podaj treść komunikatu:";
inline constexpr std::wstring_view kTytul = L"Napis na pasku tytułowym:";
inline constexpr std::wstring_view kDzwiek = L"Wybierz dźwięk do odegrania:";
inline constexpr std::wstring_view kCzas = L"Czas:";
inline constexpr std::wstring_view kLabelCzasHint = L"Czas trwania utworu";
inline constexpr std::wstring_view kPlayHint = L"Odgrywaj dźwięk";
inline constexpr std::wstring_view kPauseHint = L"Pauza";
inline constexpr std::wstring_view kStopSoundHint = L"Stop";
inline constexpr std::wstring_view kLoop = L"Graj w nieskończoność";
inline constexpr std::wstring_view kLoopHint = L"Dźwięk jest cały czas powtarzany";
inline constexpr std::wstring_view kOpcja = L"Wybierz odpowiednią opcję:";
inline constexpr std::wstring_view kSciezkaProgramu = L"Wskaż ścieżkę do programu";
inline constexpr std::wstring_view kSciezkaPliku = L"Wskaż ścieżkę do pliku:";
inline constexpr std::wstring_view kSciezkaFolderu = L"Wskaż ścieżkę do folderu:";
inline constexpr std::wstring_view kAdresWWW = L"Wskaż adres strony WWW:";
inline constexpr std::wstring_view kMozliwosci = L"Wybierz jedną z poniższych możliwości:";
inline constexpr std::wstring_view kKlawisz = L"Jaki klawisz (lub kombinację) mam zasymulować:";
inline constexpr std::wstring_view kDysk = L"Wybierz dysk, którego szufladę mam ws/wy:";
inline constexpr std::wstring_view kLiteraDysku = L"Litera dysku:";
inline constexpr std::wstring_view kOperacja = L"Operacja:";
inline constexpr std::wstring_view kWspolrzedne = L"Podaj współrzędne (określ punkt kliknięcia):";
inline constexpr std::wstring_view kX = L"x =";
inline constexpr std::wstring_view kY = L"y =";
inline constexpr std::wstring_view kOkreslPunkt = L"Określ punkt";
inline constexpr std::wstring_view kJakWskazac =
    L"Najedź na wybrany punkt (miejsce kliknięcia) i naciśnij klawisz ENTER pozostawiając "
    L"kursor myszy nad miejscem w które mam kliknąć. ESC przerywa pobieranie punktu.";
inline constexpr std::wstring_view kProcessesHint =
    L"Lista procesów - aby odświeżyć wciśnij F5 na klawiaturze";
inline constexpr std::wstring_view kColumnName = L"Nazwa pliku";
inline constexpr std::wstring_view kColumnThreads = L"Uruchomionych wątków";
inline constexpr std::wstring_view kColumnId = L"ID Procesu";

inline constexpr std::wstring_view kFilterExe = L"Programy|*.exe";
inline constexpr std::wstring_view kFilterSound =
    L"Wszystkie dźwięki (*.wav, *.mid, *.mp3)|*.wav;*.mp3;*.mid;*.midi|MP3 (*.mp3)|*.mp3|MID "
    L"(*.mid)|*.mid;*.midi|WAV (*.wav)|*.wav";
inline constexpr std::wstring_view kFilterProgram = L"Programy (*.exe)|*.exe";
inline constexpr std::wstring_view kFilterAny =
    L"Wszystkie pliki (*.*)|*.*|Programy (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|Pliki graficzne "
    L"(*.bmp, *.djvu, *.emf, *.gif, *.ico, *.jpg, *.pcx, *.png, *.psd, *.psp, *.tga, *.tiff, "
    L"*.wmf)|*.bmp;*.dib;*.rle;*.djvu;*.djv;iw4;*.emf;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jif;*.jfif;"
    L"*.pcx;*.dcx;*.png;*.psd;*.psp;*.tga;*.tiff;*.tif;*.xif;*.wmf|Pliki tekstowe/dokumenty "
    L"(*.txt, *.doc,*.html;*.rtf)|*.txt;*.doc;*.html;*.htm;*.rtf;*.wps;*.asc|Lista odtwarzania "
    L"multimediów (*.asx, *.wax, *.m3u, *.wvx, *.pls)|*.asx;*.wax;*.m3u;*.wvx;*.pls|Pliki audio "
    L"(*.mid, *.rmi, *.midi, *.kar, *.wav, *.mp3, *.ogg, *.miz, *.mp2, *.mp1, *.aac, *.apl, "
    L"*.vlb, *.snd, *.au, *.aif, *.aifc, *.aiff, *.wma)|*.mid;*.rmi;*.midi;*.kar;*.wav;*.mp3;"
    L"*.ogg;*.miz;*.mp2;*.mp1;*.aac;*.apl;*.vlb;*.snd;*.au;*.aif;*.aifc;*.aiff;*.wma|Pliki video "
    L"(*.avi, *.wmv, *.mpg, *.mpeg, *.m1v, *.mp2, *.mpa, *.mpe, *.asf, *.wm, *.wma, *.wmv, "
    L"*.mov, *.qt, *.dv, *.dif, *.rm, *.ra, *.ram, *.rmvb, *.dat, *.vob, *.mp4, *.ogm, *.m2v, "
    L"*.ifo, *.divx)|*.avi;*.wmv;*.mpg;*.mpeg;*.m1v;*.mp2;*.mpa;*.mpe;*.asf;*.wm;*.wma;*.wmv;"
    L"*.mov;*.qt;*.dv;*.dif;*.rm;*.ra;*.ram;*.rmvb;*.dat;*.vob;*.mp4;*.ogm;*.m2v;*.ifo;*.divx";

// Balloon tips.
inline constexpr std::wstring_view kWarnTitle = L"UWAGA";
inline constexpr std::wstring_view kBalloonTyp = L"Wybierz z poniższej listy rodzaj alarmu";
inline constexpr std::wstring_view kBalloonUruchomO =
    L"Ta opcja pozwoli Ci na uruchomienie alarmu o określonej godzinie";
inline constexpr std::wstring_view kBalloonAt =
    L"Tu podajesz godzinę o której mam Cię zaalarmować. Należy podać godzinę, minutę i sekundę "
    L"uruchomienia alarmu";
inline constexpr std::wstring_view kBalloonOdliczZa =
    L"Ta opcja pozwoli Ci na uruchomienie alarmu po określonym czasie";
inline constexpr std::wstring_view kBalloonCountdown =
    L"Tu podajesz czas jaki ma być odliczany w dół i po jakim mam Cię zaalarmować. Należy podać "
    L"godzinę, minutę i sekundę uruchomienia alarmu (lub samą liczbę sekund)";
inline constexpr std::wstring_view kBalloonPowtorz =
    L"Jeżeli chcesz uruchomić powtarzanie alarmu co określony czas musisz zaznaczyć tą opcję";
inline constexpr std::wstring_view kBalloonCzasPowtorki =
    L"Tu podajesz czas z jakim program ma powtarzać alarm wyrażony w sekundach";

// Messages.
inline constexpr std::wstring_view kQuitWhileArmed =
    L"Program w tej chwili odlicza czas ustawiony przez użytkownika. Zamykając program "
    L"spowodujesz przerwanie odliczania a nadejście ustawionego czasu nie zostanie "
    L"zaalarmowane.\r\rCzy mam mimo to zamknąć program ???";
inline constexpr std::wstring_view kPickerStart =
    L"UŻYTKOWNIKU PROGRAMU WPROWADZASZ TERAZ WSPÓŁRZĘDNĄ W KTÓRĄ MAM ZASYMULOWAĆ KLIKNIĘCIE "
    L"!!!\r\rAby to zrobić najedź na wybrany punkt (miejsce kliknięcia) i naciśnij klawisz ENTER "
    L"pozostawiając kursor myszy bez zmian (po zamknięciu tego komunikatu).";

}  // namespace klaxora::win::alarm_texts
