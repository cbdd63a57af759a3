function Node001;
begin
  Say(Self, 0, 101);
  SayForAnswer(102);
  Answer(4, 103, @Node002);
  Answer(-1, GetStr(104) + GetStr(105), @Node003);
  Node004;
end;
