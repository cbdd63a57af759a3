script Cut('cut_header.msg');

uses Globals, 