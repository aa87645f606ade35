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

// The path between quotes, so that blanks at either end of a name stay visible.
static std::string Quoted(std::string_view path) {
    return "\"" + std::string(path) + "\"";
}

std::string CannotOpenInputText(std::string_view path) {
    return "No se ha podido abrir el fichero " + Quoted(path) +
           ". Puede que otro programa lo est\xE9 usando o que no tenga permiso para leerlo. "
           "No se ha ordenado ni escrito nada.";
}

std::string ReadFailedText(std::string_view path) {
    return "No se ha podido leer el fichero " + Quoted(path) +
           " hasta el final. No se ha ordenado ni escrito nada.";
}

std::string WriteFailedText(std::string_view path) {
    return "No se ha podido escribir el fichero " + Quoted(path) +
           ". Si ya exist\xED"
           "a, conserva su contenido anterior.";
}
