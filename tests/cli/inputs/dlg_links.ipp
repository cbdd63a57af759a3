// Links the Dialogs Tree must show: a loop back to the start, two answers to one node,
// a node that calls itself, a target in other letter case, a target that does not exist,
// and a second dialog.

script Links('dlg_links.msg');

uses Globals;

Var mood;

function Start; forward;
function Again; forward;
function Echo; forward;

function Start;
begin
  Say(Self, 1, 100);
  Answer(1, 101, @Again);
  Answer(1, 102, @Again);
  Answer(1, 103, @again);
  Answer(1, 104, @Lost);
end;

function Again;
begin
  Say(Self, 1, 105);
  Echo;
  Answer(1, 106, @Start);
end;

function Echo;
begin
	Say(Self, 1, 100);
	if mood > 0 then Echo;
end;

function Talk;
begin
  OpenDialog(GetObjectID(0));
  Start;
  OpenDialog(GetObjectID(1));
  Echo;
end;

end.
