// talk.ipp - dialog script
// äåçÿçî æèëûêèñ ìóäàðþæ ðÿïýá riden ùîíÿ ãóõî

script Talk('talk.msg');

uses Globals, QuestVars, PartyLib;

Var a, b, c, mood;

function Node001; forward;
function Node002; forward;
function Node003; forward;

function Node001;
begin
  // kelya ostgoran hargrita talri gridrébo berbarmun osttesva inostsun
  Say(Self, 1, 100);
  Answer(4, 101, @Node002);
  Answer(4, 102, @Node001);
  Answer(8, 103, @Node001);
  Answer(4, 104, @Node001);
  Answer(-1, GetStr(105) + GetStr(106), @Node001);
  // ëýöóãû êåñýùèç
end;

function Node002;
begin
  GiveItem(Player, $7D0, 2);
  PlayACM('music21');
  GiveItem(Player, $5AB, 2);
  if GetCash(Player) >= 100 then Node003 else Node001;
  Node001;
end;

function Node003;
begin
  Say(Self, 3, 107);
  SayWOAnswer(108, 50);
end;

function TalkStart;
begin
  OpenDialog(GetObjectID(0));
  Node001;
end;

end.
