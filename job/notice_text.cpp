#include "job/notice_text.h"

#include <charconv>

const char NoticeTitle[] = "Programador";
const char StartNoticeText[] = "La ordenaci\xF3n puede tardar unos minutos ...";
const char UnusablePathText[] =
    "El nombre del fichero elegido es demasiado largo o contiene caracteres que no "
    "se pueden usar. Elija otro nombre.";
const char NoMemoryText[] = "No hay memoria suficiente para ordenar este fichero. No se ha escrito nada.";

std::string FinishedNoticeText(uint64_t lineCount) {
    // to_chars, unlike the stream and printf families, never applies a locale's digit grouping.
    char digits[24];
    const auto converted = std::to_chars(digits, digits + sizeof digits, lineCount);
    return "Termine de ordenar " + std::string(digits, converted.ptr) + " l\xEDneas ...";
}

std::string WriteFailedText(std::string_view path) {
    return "No se ha podido escribir el fichero \"" + std::string(path) +
           "\". Puede que no se haya creado o que haya quedado incompleto.";
}
