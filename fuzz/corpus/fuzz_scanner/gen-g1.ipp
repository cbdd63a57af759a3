// talk.ipp - dialog script
// urgacor zuulpel lomodor va eltorkel talro

script Talk('talk.msg');

uses Globals, QuestVars;

Var a, b, c, mood, visits, reward, flag;

function Node001; forward;
function Node002; forward;
function Node003; forward;

function Node001;
begin
  // pelri vatesdri drilo corri tamelpel meltafa ro
  Say(Self, 1, 100);
  Answer(4, 101, @Node002);
  Answer(-1, 102, @Node001);
  Answer(1, 103, @Node001);
  Answer(-1, 104, @Node001);
  Answer(-2, 105, @Node001);
  // driga fakelost yalin mun suntes vektes takael
end;

function Node002;
begin
  // сача хире
  Say(Self, 2, 3, Rnd(106,108));
  Answer(7, 109, @Node003);
  Answer(6, 110, @Node001);
  Answer(-1, 111, @Node001);
  Answer(7, GetStr(112) + GetStr(113), @Node001);
end;

function Node003;
begin
  // lindorlo sabova
  Say(Self, 3, 114);
  Answer(5, 115, @Node001);
  Answer(4, 116, @Node001);
  Answer(5, 117, @Node001);
end;

function TalkStart;
begin
  OpenDialog(GetObjectID(0));
  Node001;
end;

end.
