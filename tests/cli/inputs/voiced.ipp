script Voiced('voiced.msg');

function Greet; forward;
function Ask; forward;

function Greet;
begin
  Say(Self, 1, 100);
  Say(Player, 1, 102);
  Answer(1, 101, @Ask);
end;

function Ask;
begin
  Say(GetObjectID(14), 1, 103);
  Say(GetObjectID(23), 1, 104);
  Write(GetStr(105) + GetStr(106));
  CloseDialog;
end;

function Talk;
begin
  OpenDialog(GetObjectID(0));
  Greet;
end;

end.
