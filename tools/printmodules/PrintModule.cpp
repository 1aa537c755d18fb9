// A substitute print module for one instrument model (PRINT_MODEL, e.g. KX40). It keeps its
// records in files beside itself, so that a test sees the calls whether the module ran inside
// the test or inside the browser's own process:
//   <module>.calls.txt    one line per call: the path and the five integers, tab-separated
//   <module>.last.bin     the export file's bytes as handed over
//   <module>.fail.txt     when present, every call fails with its text (put there by a test)
//   <module>.printed.txt  the rendered document of the last successful call
#include "DocumentRendering.h"
#include "ModuleFiles.h"
#include "SealCheck.h"

#include <windows.h>

#include <string>

#ifndef PRINT_MODEL
#error "PRINT_MODEL names the instrument model of the module"
#endif
#define PRINT_JOIN2(a, b) a##b
#define PRINT_JOIN(a, b) PRINT_JOIN2(a, b)
#define PRINT_PROTOCOL PRINT_JOIN(PrintProtocol, PRINT_MODEL)
#define GET_LAST_ERROR_MSG PRINT_JOIN(GetLastErrorMsg, PRINT_MODEL)

namespace {

// The module's own texts, in code page 1250.
// "Nebyla zadána cesta k souboru protokolu."
const char noPathText[] = "Nebyla zad\xE1" "na cesta k souboru protokolu.";
// "Soubor protokolu nelze přečíst."
const char unreadableText[] = "Soubor protokolu nelze p\xF8" "e\xE8\xED" "st.";
// "Pečeť souboru protokolu nesouhlasí."
const char badSealText[] = "Pe\xE8" "e\x9D souboru protokolu nesouhlas\xED.";
// "Kontrolní součet nelze spočítat."
const char noDigestText[] = "Kontroln\xED sou\xE8" "et nelze spo\xE8\xED" "tat.";
// "Neočekávaná chyba tiskového modulu."
const char unexpectedText[] = "Neo\xE8" "ek\xE1" "van\xE1 chyba tiskov\xE9ho modulu.";

// Owned by the module and handed out by the error-text entry point.
char lastError[1024] = "";

void setLastError(const std::string& text)
{
    const std::size_t n = text.copy(lastError, sizeof lastError - 1);
    lastError[n] = '\0';
}

bool fail(const std::string& text)
{
    setLastError(text);
    return false;
}

// The text of a fail file, without the line break an editor or echo leaves at its end.
std::string withoutTrailingLineBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

void recordCall(const char* path, const int (&numbers)[5])
{
    std::string line = path ? path : "";
    for (int n : numbers)
        line += "\t" + std::to_string(n);
    appendToFile(besideModule("calls.txt"), line + "\r\n");
}

bool print(const char* path, const int (&numbers)[5])
{
    setLastError("");
    recordCall(path, numbers);
    // What a call leaves behind describes that call only.
    DeleteFileA(besideModule("last.bin").c_str());
    DeleteFileA(besideModule("printed.txt").c_str());

    if (!path)
        return fail(noPathText);
    std::string file;
    if (!readWholeFile(path, file))
        return fail(unreadableText);
    writeWholeFile(besideModule("last.bin"), file);

    std::string forced;
    if (readWholeFile(besideModule("fail.txt"), forced))
        return fail(withoutTrailingLineBreaks(forced));

    switch (checkSeal(file)) {
    case SealResult::Valid:
        break;
    case SealResult::Mismatch:
        return fail(badSealText);
    case SealResult::NoDigest:
        return fail(noDigestText);
    }
    writeWholeFile(besideModule("printed.txt"), renderDocument(file.substr(16)));
    return true;
}

} // namespace

// Exported as "_PrintProtocol<model>" (C calling convention); nothing may escape into the caller.
extern "C" bool __cdecl PRINT_PROTOCOL(const char* path, int a, int b, int c, int d, int e)
{
    try {
        return print(path, {a, b, c, d, e});
    } catch (...) {
        return fail(unexpectedText);
    }
}

// Exported as "_GetLastErrorMsg<model>": the text of the last failed print, empty after a success.
extern "C" const char* __cdecl GET_LAST_ERROR_MSG()
{
    return lastError;
}
