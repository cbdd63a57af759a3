script BadMsg('bad_msg.msg');

end.
