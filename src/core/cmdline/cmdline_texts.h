#pragma once
// What the command-line reader and the shortcut creator say to the user, in one place.
#include <string_view>

#include "util/message_titles.h"

namespace klaxora::cmdline {

using klaxora::kErrorTitle;
// The missing watched program has always been reported under this spelling; kept as it is.
inline constexpr std::wstring_view kMissingProgramTitle = L"BŁAD !!!";
using klaxora::kWarningTitle;

// The caption a message alarm gets when the command line gives none.
inline constexpr std::wstring_view kDefaultMessageCaption = L"UWAGA !!!";

inline constexpr std::wstring_view kNoTrigger =
    L"Nie podano poprawnie parametrów - brak zdarzenia. Zapoznaj się z plikiem pomocy "
    L"dołączonym do programu !!!";
inline constexpr std::wstring_view kNoTriggerData =
    L"Nie podano poprawnie parametrów - brak danych dla zdarzenia. Zapoznaj się z plikiem "
    L"pomocy dołączonym do programu !!!";
inline constexpr std::wstring_view kMissingProgram =
    L"Wskazany w parametrach uruchomieniowych program nie istnieje !!!";

inline constexpr std::wstring_view kBadTimeData =
    L"Przekroczyłeś zakres zmiennych lub wprowadziłeś niepoprawne dane we właściwościach skrótu "
    L"do programu (w parametrach uruchomieniowych). Zapoznaj się z plikiem pomocy dołączonym do "
    L"programu !!!";
inline constexpr std::wstring_view kBadTimeFormat =
    L"Wprowadziłeś niepoprawne dane we właściwościach skrótu do programu (w parametrach "
    L"uruchomieniowych) - format czasu jest niepoprawny. Zapoznaj się z plikiem pomocy "
    L"dołączonym do programu !!!";
inline constexpr std::wstring_view kTimeOutOfRange =
    L"Przekroczyłeś dopuszczalny zakres dla czasu podanego w parametrach uruchomieniowych "
    L"programu. Czas zostanie dopasowany do wartości maksymalnych.";
inline constexpr std::wstring_view kZeroTime =
    L"Wprowadziłeś niepoprawne dane we właściwościach skrótu do programu (w parametrach "
    L"uruchomieniowych) - podany czas musi być większy od 0. Zapoznaj się z plikiem pomocy "
    L"dołączonym do programu !!!";

inline constexpr std::wstring_view kFileMissing =
    L"Wskazany w opcjach uruchomieniowych plik nie istnieje !!!";
inline constexpr std::wstring_view kBadExtension =
    L"Wskazany w opcjach uruchomieniowych plik ma nieprawidłowe rozserzenie !!!";
inline constexpr std::wstring_view kFolderMissing =
    L"Wskazany w opcjach uruchomieniowych folder nie istnieje !!!";
inline constexpr std::wstring_view kBadWebAddress =
    L"Wskazany w opcjach uruchomieniowych adres WWW jest nieprawidłowy !!!";
inline constexpr std::wstring_view kBadShutdown =
    L"Wskazany w opcjach uruchomieniowych rodzaj zamknięcia systamu jest nieprawidłowy !!!";
inline constexpr std::wstring_view kBadOtherAction =
    L"Ustawiona w opcjach uruchomieniowych inna możliwość jest nieprawidłowa !!!";
inline constexpr std::wstring_view kBadCdDrive =
    L"Wskazany w opcjach uruchomieniowych dysk CD/DVD/Blu-Ray jest nieprawidłowy !!!";
inline constexpr std::wstring_view kNotCdDrive =
    L"Wskazany w opcjach uruchomieniowych dysk CD/DVD/Blu-Ray jest nieprawidłowy lub nie "
    L"został podany !!!";
inline constexpr std::wstring_view kBadCdOperation =
    L"Wskazany w opcjach uruchomieniowych parametr wsuwający/wysuwający dysk jest "
    L"nieprawidłowy lub nie został podany !!!";
inline constexpr std::wstring_view kBadX =
    L"Wskazany w opcjach uruchomieniowych parametr określający współrzędną X jest "
    L"nieprawidłowy lub nie został podany !!!";
inline constexpr std::wstring_view kMissingY =
    L"Wskazany w opcjach uruchomieniowych parametr określający współrzędną X został podany "
    L"poprawnie natomiast określający Y nie został podany !!!";
inline constexpr std::wstring_view kBadY =
    L"Wskazany w opcjach uruchomieniowych parametr określający współrzędną Y jest "
    L"nieprawidłowy lub nie został podany !!!";
inline constexpr std::wstring_view kBadKey =
    L"Wskazany w opcjach uruchomieniowych parametr określający klawisz/kombinację klawiszy "
    L"jest nieprawidłowy lub nie został podany !!!";
inline constexpr std::wstring_view kProcessNotRunning =
    L"Wskazany w opcjach uruchomieniowych proces na chwilę obecną nie jest uruchomiony !!!";

inline constexpr std::wstring_view kSummary =
    L"Program został uruchomiony ze skrótu, jednak ustawienie wszystkich wymaganych do "
    L"odliczania parametrów nie powiodło się.\r"
    L"Proponuję zapoznać się z dołączoną do programu dokumentacją (plik pomocy uruchomiany w "
    L"programie po naciśnięciu przycisku F1) i poczytać zawarte tam informacje na temat skrótów "
    L"i ich obsługi.\r"
    L"Można też, aby nie popełnić błędu, ustawić w programie wszystkie potrzebne parametry czyli "
    L"akcję/zdarzenie (na co ma być \"wyczulony\" program) typ alarmu oraz dodatkowe parametry "
    L"po czym kliknąć na przycisk SKRÓT umieszczony na belce z przyciskami aby program sam "
    L"wygenerował poprawnie działający skrót z odpowiednimi parametrami odpowiadającymi "
    L"wybranym ustawieniom.";

// Why a shortcut is not written. Our own texts: a definition that would not come back the
// same, and a place or name that cannot hold a shortcut.
inline constexpr std::wstring_view kRefuseQuote =
    L"Nie można utworzyć skrótu: znak cudzysłowu (\") w danych alarmu nie może zostać "
    L"przeniesiony w parametrach skrótu. Usuń cudzysłów z tekstu i spróbuj ponownie.";
inline constexpr std::wstring_view kRefuseBarInCaption =
    L"Nie można utworzyć skrótu: tytuł komunikatu nie może zawierać znaku \"|\", ponieważ w "
    L"parametrach skrótu oddziela on tytuł od treści komunikatu. Usuń ten znak z tytułu i "
    L"spróbuj ponownie.";
inline constexpr std::wstring_view kRefuseNoProcessPath =
    L"Nie można utworzyć skrótu: nie udało się odczytać ścieżki programu wybranego procesu.";
inline constexpr std::wstring_view kRefuseNoFolder =
    L"Nie można utworzyć skrótu: nie wskazano folderu na dysku. Wybierz folder, w którym ma "
    L"zostać zapisany skrót.";
inline constexpr std::wstring_view kRefuseEmptyName =
    L"Nie można utworzyć skrótu: nazwa skrótu jest pusta lub składa się wyłącznie ze znaków, "
    L"których nie może zawierać nazwa pliku ( ; \\ / < > | * ? \" : ). Wpisz inną nazwę.";
inline constexpr std::wstring_view kRefuseReservedName =
    L"Nie można utworzyć skrótu: ta nazwa jest zarezerwowana przez system Windows dla "
    L"urządzenia. Wpisz inną nazwę.";

// Followed by the system's reason.
inline constexpr std::wstring_view kShellLinkUnavailable =
    L"Nie udało się utworzyć skrótu: system nie udostępnił obiektu skrótu. ";
// Followed by the file's path, ": " and the system's reason.
inline constexpr std::wstring_view kShellLinkNotSaved = L"Nie udało się zapisać skrótu ";

}  // namespace klaxora::cmdline
