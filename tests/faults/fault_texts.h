#pragma once
// The messages the user must see when a job fails. Non-ASCII letters are written as their code
// points ("\u00ED" is the í of the program's Windows-1252 text).
#include <string>

namespace faults {

inline std::wstring CannotOpenInputMessage(const std::wstring& path) {
    return L"No se ha podido abrir el fichero \"" + path +
           L"\". Puede que otro programa lo est\u00E9 usando o que no tenga permiso para leerlo. "
           L"No se ha ordenado ni escrito nada.";
}

inline std::wstring WriteFailedMessage(const std::wstring& path) {
    return L"No se ha podido escribir el fichero \"" + path +
           L"\". Si ya exist\u00EDa, conserva su contenido anterior.";
}

const std::wstring NoMemoryMessage =
    L"No hay memoria suficiente para ordenar este fichero. No se ha escrito nada.";

} // namespace faults
