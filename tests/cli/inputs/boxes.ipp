function Node1;
begin
  Say(Self, 1, abc);
  Say(Self, 1, 99999999999,5);
  Say(Self, 1, 3, Rnd(-5,3));
  Answer(1, 100, @Node1);
end;

end.
