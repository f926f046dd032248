#pragma once

#include <string>
#include <string_view>

// Notes keep "\r\n" line breaks in the catalog, as libraries written on Windows hold
// them; text editors and command lines break lines with "\n". Notes shown and handed
// back unchanged keep their stored bytes, a stray "\r" included; only a bare "\n" (a
// file edited by hand) comes back as "\r\n".

// Every "\r\n" becomes "\n".
std::string NotesForEditor(std::string_view stored);

// Every "\n" becomes "\r\n".
std::string NotesFromEditor(std::string_view edited);
