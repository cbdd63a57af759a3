#pragma once
// A walk as the Play pane shows it: a conversation, not a listing. The NPC's lines stand on one
// side, the player's (the choices taken, and what a node makes the player say) on the other, and
// notes (where the walk stands, where it ends) between them; each line's message numbers go into
// its tool tip instead of its text. The pane's list and the HTML transcript are both made from it.

#include "play/play_script.h"
#include "play/play_walk.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace dialoscope {

enum class TConversationSide : std::uint8_t {
    Npc,    // a line the node says
    Player, // a choice taken, or a line the node has the player say
    Note,   // a node reached, the dialog ending, an answer that leads to no node
};

struct TConversationLine {
    TConversationSide Side = TConversationSide::Note;
    QString Text;
    QString Tip; // the message numbers and the script line; empty for notes without one
};

// A choice as its button shows it: "Tell me about the town. → AskTown", "goes on to NoMoney".
QString ChoiceCaption(const TPlayChoice& choice);
QString ChoiceTip(const TPlayChoice& choice);

// The whole walk: the conditions note, the start's lines, then per step the choice taken and
// what it led to.
std::vector<TConversationLine> Conversation(const TPlayScript& script, const TPlayWalk& walk);

// The conversation as a standalone HTML page (UTF-8), the tool tips kept as title attributes.
QString ConversationHtml(const std::vector<TConversationLine>& lines, const QString& title);

} // namespace dialoscope
