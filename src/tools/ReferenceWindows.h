#pragma once

#include "ReferenceCards.h"

#include <map>
#include <memory>

class Calculator;
class CodeListWindow;
class ReferenceCardWindow;

// The reference windows for a user typing TMX commands: the command card
// (what the terminal's Help opens), the servo-command card and the move
// calculator opened from it, and the code lists the cards' small buttons
// open. Each window is made on first use and only hidden afterwards; all
// are modeless and have no owner window.
class ReferenceWindows {
public:
    ReferenceWindows();
    ~ReferenceWindows();

    // Shows the window, or brings it to the front when it is open.
    void showSummary();
    void showZepHelp();
    void showCalculator();
    // Places the list beside the card that opens it, then shows it.
    void showCodeList(CodeList list);

    // The windows, made when first asked for.
    ReferenceCardWindow& summary();
    ReferenceCardWindow& zepHelp();
    Calculator& calculator();
    CodeListWindow& codeList(CodeList list);
    // Whether the window exists yet (made windows are never destroyed).
    bool exists(CodeList list) const { return m_lists.count(list) > 0; }

    // The command card's OK: its own code lists close with it (the bit
    // rates, the servo card and the calculator stay).
    void Summary_OK();
    // The servo card's OK: its code lists close with it.
    void ZEPhelp_OK();

private:
    void hideLists(std::initializer_list<CodeList> lists);

    std::unique_ptr<ReferenceCardWindow> m_summary;
    std::unique_ptr<ReferenceCardWindow> m_zepHelp;
    std::unique_ptr<Calculator> m_calculator;
    std::map<CodeList, std::unique_ptr<CodeListWindow>> m_lists;
};
