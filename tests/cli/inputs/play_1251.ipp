// A dialog whose messages are in windows-1251 (Cyrillic), and a node that calls itself.

script Cyr('play_1251.msg');

uses Globals;

function Hello; forward;
function Again; forward;

function Hello;
begin
  Say(Self, 1, 100);
  Answer(1, 101, @Again);
  Answer(1, 102, @Hello);
end;

function Again;
begin
  Say(Self, 1, 3, Rnd(103,104));
  Again;
  CloseDialog;
end;

function Talk;
begin
  OpenDialog(GetObjectID(0));
  Hello;
end;

end.
