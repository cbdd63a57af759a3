// talk.ipp - dialog script
// äåçÿçî æèëûêèñ ìóäàðþæ ðÿïýá riden ùîíÿ ãóõî

script Talk('talk.msg');

uses Globals, QuestVars, PartyLib, CommonLib;

Var a, b, c, mood, visits;

function Node001; forward;
function Node002; forward;
function Node003; forward;

function Node001;
begin
  Say(Self, 3, 100);
  Answer(-1, GetStr(101) + GetStr(102), @Node002);
  Answer(-1, 103, @Node001);
  Answer(1, 104, @Node001);
  Answer(-1, 105, @Node001);
  Answer(-2, 106, @Node001);
  // kelya ostgoran hargrita talri gridrébo berbarmun osttesva inostsun
end;

function Node002;
begin
  // ëýöóãû êåñýùèç
  if not IsSneak(Player) then
  begin
    SetLight(Self, 1.73);
    Write(GetStr(107));
  end
  else
    Answer(1, 108, @Node001);
  if Rnd(1,100) > 73 then
  begin
    GiveItem(Player, $3E8, 1);
    SayForAnswer(109);
  end
  else
    Answer(7, GetStr(110) + GetStr(111), @Node001);
  if not IsSneak(Player) then Write(GetStr(112));
  Node003;
end;

function Node003;
begin
  if (MVAR(16) = 0) and (GetStat(Player, 1) >= 5) then
    Say(Self, 3, 113)
  else
    Node001;
  Say(Self, 1, 114);
  Answer(4, 115, @Node001);
  Answer(6, 116, @Node001);
  Answer(8, 117, @Node001);
  Answer(-1, 104,118, @Node001);
  Answer(-3, 119, @Node001);
end;

function TalkStart;
begin
  OpenDialog(GetObjectID(0));
  Node001;
end;

end.
