#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

// The fixed texts of the reference windows that help a user typing TMX
// commands: the two command cards and the code lists they open. Each window
// is drawn from its table by one loop; nothing here talks to the drive.

// The code lists, one window each.
enum class CodeList { None, MRcodes, RScodes, DefCodes, BRcodes, LimCodes, IOcodes, ControlModes, EFcodes };

struct CodeListPage {
    CodeList list;
    QString window;    // object name of the window
    QString title;     // title label, also the window's caption
    QString subtitle;  // a line under the title, or empty
    QStringList rows;  // one label each, top to bottom
    QString note;      // a remark under the rows, or empty
    QString okButton;  // object name of its OK button
    // Where it is placed, from the top-left corner of the card that opens
    // it: in twips, or in screen pixels where offsetInPixels is set.
    QPoint offset;
    bool offsetInPixels;
};

// Every code list, in no particular order; each list appears once.
const std::vector<CodeListPage>& CodeListPages();
// The page of one list (None is not a list: the first page is returned).
const CodeListPage& CodeListPageOf(CodeList list);

// One row of a card: a command, what it does, and the code list that the
// small button beside it opens (None: no button).
struct CardRow {
    int section;        // 0: the main commands; 1: under the card's heading
    int column;         // 0: left, 1: right
    QString command;
    QString description;
    CodeList list;
    QString button;     // object name of the button beside it, or empty
};

struct ReferenceCard {
    QString window;     // object name of the window
    QString caption;
    QString heading;    // heading above section 1, or empty
    std::vector<CardRow> rows;  // top to bottom within each column
};

// The command card the terminal's Help opens.
const ReferenceCard& TmxCommandCard();
// The card of the servo commands, opened from the command card.
const ReferenceCard& ZepServoCard();
