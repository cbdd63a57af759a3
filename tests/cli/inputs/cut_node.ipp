script CutNode('cut_node.msg');

function First; forward;
function Second; forward;

function First;
begin
  Say(Self, 1, 100);
  Second;
  Answer(1, GetStr(101) + 