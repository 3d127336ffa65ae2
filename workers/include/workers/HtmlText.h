// The visible text of an HTML page, as a browser's document text gives it: tags removed, the
// content of script, style, title and the like dropped, character references decoded, runs of
// white space collapsed to one space (kept as written inside pre and textarea), block elements
// and <br> as line breaks (CR LF), paragraphs set apart by an empty line, table cells by a tab.
//
// The page may be UTF-8 or in the system's ANSI code page; the result is in the ANSI code page
// (characters it cannot hold become '?'). A text without markup comes back as it is, less its
// leading and trailing white space; a page with no visible text gives an empty text.
//
// The work is one pass over the page with no tree and no recursion: time grows with the page's
// length only, whatever its nesting, so a broken or hostile page cannot stall or crash the caller.
#pragma once

#include <string>

std::string getHtmlText(const std::string& html);
