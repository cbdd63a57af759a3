// talk.ipp - dialog script
// melgotor zuulpel lomodor kel saul talro

script Talk('talk.msg');

uses Globals, QuestVars;

Var a, b, c, mood, visits;

function Node001; forward;
function Node002; forward;
function Node003; forward;
function Node004; forward;

function Node001;
begin
  SayWOAnswer(100, 50);
  Answer(4, 101, @Node002);
  Answer(-1, 102, @Node003);
  Answer(1, 103, @Node004);
  Answer(-1, 104, @Node001);
  Answer(-2, 105, @Node001);
  Answer(4, GetStr(106) + GetStr(107), @Node001);
  Answer(4, 108, @Node001);
end;

function Node002;
begin
  SayForAnswer(109);
end;

function Node003;
begin
  Write(GetStr(110));
  SayWOAnswer(111, 50);
end;

function Node004;
begin
  if a <> b then
    Answer(7, 112, @Node001);
  Write(GetStr(113) + 'coö vatesdri drilo');
  Say(Self, 3, 114);
  Answer(5, 115, @Node001);
  Answer(4, 116, @Node001);
  Answer(7, 117, @Node001);
end;

function TalkStart;
begin
  OpenDialog(GetObjectID(0));
  Node001;
end;

end.
