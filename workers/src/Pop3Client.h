// A small POP3 client (RFC 1939) as plain procedures over one Connection. Replies are handed back
// as owned texts; an empty optional means that sending or receiving failed. Diagnostics go to
// standard error.
//
// Every wait is bounded by the connection's time-out and can be cut short by its cancel check. A
// connection whose reply did not arrive in full is closed at once, so a late answer can never be
// read as the reply to a later command.
//
//     pop3_session* s = nullptr;
//     Pop3Text error = pop3_session_open("127.0.0.2", "orv", "secret", s, options);
//     if (error) ...;                                  // *error is the reason
//     Pop3Text head = pop3_session_head(s, s->count);  // TOP count 0
//     pop3_session_close(s);                           // QUIT; s becomes null
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"

typedef std::optional<std::string> Pop3Text;

// Sizes indexed by message number; element 0 is the highest number listed, unlisted numbers 0.
typedef std::vector<int> Pop3SizeList;
// Unique ids indexed by message number; element 0 is the highest number listed as decimal text,
// unlisted numbers empty.
typedef std::vector<std::string> Pop3IdList;

// Longest single-line reply kept (longer lines are read to their end and cut).
const size_t kPop3ReplyBytes = 512;
// Longest unique id kept.
const size_t kPop3IdBytes = 512;
// Highest message number that LIST and UIDL entries may use, whatever STAT says: a hostile server
// cannot make the lists grow without bound.
const int kPop3MaxListed = 100000;
// POP3's own port, used whenever 0 is given.
const int kPop3Port = 110;

struct Pop3Options {
    int timeoutMs = 15000;                // every connect, send and reply wait
    // One limit for the whole session, counted from its connect (0: none): a server that answers
    // every step just in time cannot stretch the session past it.
    int sessionMs = 0;
    std::function<bool()> cancelled;      // polled during waits; true gives up
};

// One open mailbox.
struct pop3_session {
    Connection connection;
    int reserved = 0;
    int loggedIn = 0;
    Pop3SizeList sizes;
    Pop3IdList ids;
    int octets = 0;
    int count = 0;                        // message numbers 1..count are valid
    int deleteAfterRetrieve = 0;
};

// Commands: send one command and read its reply. Nothing is sent for a text that would not fit a
// command line or that holds a line break.
Pop3Text pop3_query(Connection& c, const std::string& command);
Pop3Text pop3_user(Connection& c, const std::string& user);
Pop3Text pop3_pass(Connection& c, const std::string& password);
Pop3Text pop3_quit(Connection& c);
Pop3Text pop3_stat(Connection& c);
Pop3Text pop3_list(Connection& c, int n);     // n <= 0: the whole multi-line listing
Pop3Text pop3_retr(Connection& c, int n);
Pop3Text pop3_dele(Connection& c, int n);     // nothing sent for n <= 0
Pop3Text pop3_rset(Connection& c);
Pop3Text pop3_top(Connection& c, int n, int lines);
Pop3Text pop3_uidl(Connection& c, int n);     // n <= 0: the whole multi-line listing

// Reads the rest of a multi-line reply whose first line is already in text, up to the lone "."
// line, within the connection's time-out for the whole reply. A reply that stalls or outlasts it
// ends with what arrived ("timeout reached"); a broken connection or
// a cancel gives false.
bool recv_rest(Connection& c, std::string& text);

// Connects to host:port (0: port 110) within the options' time-out and returns the greeting (not
// examined).
Pop3Text pop3_connect(Connection& c, const std::string& host, int port, const Pop3Options& options);
void pop3_close_socket(Connection& c);

// True for no reply or one that begins with "-ERR"; every other reply counts as accepted.
bool pop3_reply_failed(const Pop3Text& reply);
// True when the text holds a "." that follows a line feed or carriage return and is followed by
// the end of the text, a line feed or a carriage return.
bool pop3_multiline_complete(const std::string& text);
// First and second number after the reply's first four characters; -1 for a failed reply or
// numbers that are missing, negative or too large for an int.
int pop3_stat_count(const Pop3Text& reply);
int pop3_stat_octets(const Pop3Text& reply);
// Text of a TOP or RETR reply after its "+OK" line, dot-stuffing undone, ending with the last
// line's CR LF; empty for a failed reply or one without a "+OK" line.
Pop3Text pop3_message_text(const Pop3Text& reply);
// LIST and UIDL replies (multi-line, or the single-line form for one message). Entries numbered
// outside 1..maxNumber are dropped. Empty for a failed reply.
std::optional<Pop3SizeList> pop3_parse_list(const Pop3Text& reply, int maxNumber);
std::optional<Pop3IdList> pop3_parse_uidl(const Pop3Text& reply, int maxNumber);

// Opens the mailbox on port 110 (connect, USER, PASS, STAT, LIST, UIDL); the options' session
// limit starts here and bounds every later call on the session too. Empty on success with the
// session stored in out, else the reason: "NULL args !", "WSAStartup() failed", "pop3_prepare",
// "pop3_connect", the server's "-ERR" line, "pop3_user", "pop3_pass", "pop3_stat", "pop3_list",
// "pop3_uidl". A server without UIDL is accepted (the id list stays empty). A failed step sends
// no QUIT.
Pop3Text pop3_session_open(const char* host, const char* user, const char* password,
                           pop3_session*& out, const Pop3Options& options = Pop3Options());
// Header (TOP n 0) or whole text (RETR n) of message n; empty for n outside 1..count or a
// failed reply. The raw reply when no message text can be taken from it.
Pop3Text pop3_session_head(pop3_session* s, int n);
Pop3Text pop3_session_message(pop3_session*& s, int n);
// 0 or -1. When the STAT that follows fails, the session is closed, freed and s set to null.
int pop3_session_delete(pop3_session*& s, int n);
// RSET, then STAT, LIST and UIDL afresh: 0 or -1. When one of those fails the session is closed,
// freed and s set to null.
int pop3_session_reset(pop3_session*& s);
// QUIT (when the connection is still usable), close, free; s becomes null.
void pop3_session_close(pop3_session*& s);
