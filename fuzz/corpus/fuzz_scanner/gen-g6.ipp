// talk.ipp - dialog script
// äåçÿçî æèëûêèñ ìóäàðþæ ðÿïýá sunzu ùîíÿ ãóõî

script Talk('talk.msg');

uses Globals, QuestVars;

Var a, b, c, mood, visits;

function Node001; forward;
function Node002; forward;
function Node003; forward;
function Node004; forward;
function Node005; forward;
function Node006; forward;
function Node007; forward;
function Node008; forward;
function Node009; forward;
function Node010; forward;
function Node011; forward;
function Node012; forward;

function Node001;
begin
  // munlintes boharta bofaga yami torroden kadenhar yalin inostsun
  Say(Self, 1, 100);
  Answer(4, 101, @Node002);
  Answer(8, 102, @Node001);
  Answer(4, 103, @Node001);
  Answer(-1, GetStr(104) + GetStr(105), @Node001);
  Answer(4, 106, @Node001);
  Answer(7, 107, @Node001);
end;

function Node002;
begin
  Write(GetStr(108));
  Answer(5, 109, @Node003);
  Answer(4, 110, @Node006);
end;

function Node003;
begin
  DebugPrint("ëýöóãû");
  if (MVAR(7) = 0) and (GetStat(Player, 5) >= 5) then Node006 else Node001;
  if (GVAR(115) and $01) <> 0 then
  begin
    AddExp(Player, 900);
    Say(Self, 3, 111);
  end
  else
    Answer(6, 112, @Node006);
  if Rnd(1,100) > 87 then
    Answer(4, 113, @Node005);
  Node004;
end;

function Node004;
begin
  <!-- talost elvekvek gacor loteslo eltorkel yadri
       vaden toryaran tazuur -->
  SayForAnswer(114);
  Say(Self, 2, 115);
  Answer(4, 116, @Node005);
  Answer(4, 117, @Node001);
  if not IsSneak(Player) then
    Answer(1, 118, @Node005);
  if a <> 0xD9 then
    Answer(-1, 119, @Node001);
end;

function Node005;
begin
  SayForAnswer(120);
  Answer(5, 121, @Node006);
  Answer(8, 122, @Node009);
  Answer(-1, 123, @Node006);
  Answer(-2, 124, @Node001);
  Answer(6, GetStr(125) + GetStr(126), @Node001);
  // dorrô modor tesfalo denbar veklindor kelfadri pelhaèdor
end;

function Node006;
begin
  Say(GetObjectID(8), 2, 127);
  Answer(-1, 128, @Node007);
  Answer(7, 129, @Node002);
  // ulurmi òÿôèìóö æýñóù ÷ýëîçà øèêèôþ öûøî
end;

function Node007;
begin
  if Rnd(1,100) > 70 then Node011 else Node005;
  Say(Self, 1, 2, Rnd(130,132));
  Say(Self, 2, 1, Rnd(133,134));
  Answer(1, GetStr(135) + GetStr(136), @Node008);
  Answer(1, 137, @Node011);
  Answer(6, 138, @Node007);
  Answer(4, 139, @Node003);
  Answer(1, 140, @Node010);
  Answer(4, 141, @Node010);
end;

function Node008;
begin
  GiveItem(Player, $570, 3);
  MVAR(11) := MVAR(11) + 1;
  Say(Self, 3, 142);
  Node009;
end;

function Node009;
begin
  <!-- botal linurdor harcormi corost infamo melden
       ÷ûðàðå -->
  Write(GetStr(143));
  Answer(4, 144, @Node010);
  Answer(5, 145, @Node011);
  Answer(6, GetStr(146) + GetStr(147), @Node010);
  // melwen nego hargrita fafa fakelost sunrizu
end;

function Node010;
begin
  Say(Self, 1, 148);
  DebugPrint("miri tamel elroran");
end;

function Node011;
begin
  SayForAnswer(149);
  Answer(5, 150, @Node012);
  Answer(4, 151, @Node001);
  Answer(4, 152, @Node012);
  Answer(5, GetStr(153) + GetStr(154), @Node001);
  Answer(4, 155, @Node001);
  Answer(-1, 156, @Node001);
  Answer(1, 22,157, @Node001);
  Answer(7, 158, @Node002);
end;

function Node012;
begin
  c := GVAR(113) * 2;
  if GVAR(343) > 4 then
  begin
    GVAR(364) := 9;
    Say(Self, 1, 159);
  end
  else
    Answer(-1, 160, @Node001);
  if Rnd(1,100) > 19 then a := a + 1;
  Node001;
end;

function TalkStart;
begin
  OpenDialog(GetObjectID(0));
  Node001;
end;

end.
