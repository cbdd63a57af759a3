// A script cut off right after OpenDialog.

script Cut('dlg_cut.msg');

function Start; forward;

function Start;
begin
  Say(Self, 1, 100);
end;

function Talk;
begin
  OpenDialog