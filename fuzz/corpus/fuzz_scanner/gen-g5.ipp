// guard.ipp - dialog script
// дезязо жилыкис мударюж ряпэб sunzu щоня гухо

script Guard('guard.msg');

uses Globals, QuestVars, PartyLib;

Var a, b, c, mood;

function Node001; forward;
function Node002; forward;
function Node003; forward;

function Node001;
begin
  // munlintes boharta bofaga yami torroden kadenhar yalin inostsun
  if (GVAR(72) and $40) <> 0 then a := a + 1;
  SayForAnswer(100);
  Say(Self, 0, 101);
  Answer(-1, 102, @Node002);
  Answer(-2, 103, @Node001);
  Answer(4, GetStr(104) + GetStr(105), @Node001);
  Answer(4, 106, @Node001);
  Answer(7, 107, @Node001);
end;

function Node002;
begin
  Say(Self, 0, 108);
  Answer(5, 109, @Node003);
  Answer(4, 110, @Node001);
end;

function Node003;
begin
  if Rnd(1,100) > 11 then Write(GetStr(111));
  Say(Self, 0, 112);
  Answer(5, 113, @Node001);
  Answer(4, 114, @Node001);
  Answer(7, 115, @Node001);
end;

function GuardStart;
begin
  OpenDialog(GetObjectID(0));
  Node001;
end;

end.
