// guard.ipp - the guard at the north gate of Millbrook.
// A small dialog of the Dialoscope examples: the guard greets the traveller,
// talks about the town and the smith, and asks for the gate toll.

script Guard('guard.msg');

uses Globals, Town;

Var visits, toll, mood;

function Greeting; forward;
function AskTown; forward;
function AskSmith; forward;
function PayToll; forward;
function NoMoney; forward;
function Farewell; forward;

function Greeting;
begin
  Say(Self, 1, 100);
  SayForAnswer(101);
  Answer(4, 102, @AskTown);
  Answer(4, 103, @AskSmith);
  Answer(1, 104, @PayToll);
  Answer(-1, 105, @Farewell);
end;

function AskTown;
begin
  // The guard is proud of his town and says so at length.
  Say(Self, 1, 106);
  Write(GetStr(107) + GetStr(108));
  Answer(4, 109, @AskSmith);
  Answer(1, 110, @Greeting);
end;

function AskSmith;
begin
  <!-- The smith's own greeting lives in her script,
       number 3 in scripts.lst -->
  Say(Self, 2, 3,205);
  SayWOAnswer(111, 50);
  Answer(1, 112, @Greeting);
end;

function PayToll;
begin
  Say(Player, 1, 113);
  if toll > GetCash(Player) then NoMoney;
  SayWOAnswer(2, GetStr(114) + GetStr(115), 50);
  AddCash(Player, -toll);
  Answer(1, 116, @Farewell);
end;

function NoMoney;
begin
  mood := mood - 1;
  Say(Self, 1, 3, Rnd(117,119));
  Answer(-2, GetStr(120) + GetStr(121), @Greeting);
  Answer(1, 122, @Farewell);
end;

function Farewell;
begin
  Say(Self, 1, 123);
  Writeln(GetStr(124));
  CloseDialog;
end;

function Talk;
begin
  visits := visits + 1;
  toll := $0A;
  OpenDialog(GetObjectID(0));
  Greeting;
end;

end.
