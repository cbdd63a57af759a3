// A script that never opens a dialog.

script None('dlg_none.msg');

function Start; forward;

function Start;
begin
  Say(Self, 1, 100);
  Answer(1, 101, @Start);
end;

end.
